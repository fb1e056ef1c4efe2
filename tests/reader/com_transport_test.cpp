#include "platform/clock.h"
#include "platform/pty.h"
#include "platform/serial.h"
#include "reader/com_transport.h"
#include "tests/platform/serial_test_port.h"
#include "tests/test_bytes.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class ComTransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        h = OpenComPort("com1");
        ASSERT_FALSE(IsNoDevice(h));
    }
    void TearDown() override {
        if (!IsNoDevice(h))
            platform::CloseDeviceHandle(h);
    }

    // Sends from the reader's side and waits until the port holds it all.
    void Queue(const Bytes& bytes) {
        port.Send(bytes);
        ASSERT_EQ(platform::SerialWaitQueued(h, int(bytes.size()), 2000), int(bytes.size()));
    }

    SerialTestPort port;
    DeviceHandle h = platform::kInvalidHandle;
};

// Runs in a private folder so that names without a folder part open links
// made there.
class ComOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getcwd(m_oldCwd.data(), m_oldCwd.size()), nullptr);
        ASSERT_EQ(chdir(port.dir().c_str()), 0);
        port.OpenedSinceLastAsk();
    }
    void TearDown() override { EXPECT_EQ(chdir(m_oldCwd.data()), 0); }

    SerialTestPort port;

private:
    std::array<char, 4096> m_oldCwd{};
};

} // namespace

TEST_F(ComOpenTest, NameToPathRule) {
    struct Case {
        std::string name;
        bool opens;
    } cases[] = {
        {"com1", true},
        {"COM1", true},
        {"com12", true},  // prefixed, then resolved through its link
        {"serial", true}, // no digits: its own name
        {"a123456789", true},
        {"com1234567890", false}, // ten digits
        // Other names are paths, free of the comN rooms.
        {"a1234567890", true},
        {std::string(20, 's'), true},
        {"p12" + std::string(13, 's'), true},
        {std::string(200, 's'), true},
    };
    for (const Case& c : cases) {
        if (c.name.starts_with("com"))
            ASSERT_TRUE(c.name == "com1" || c.name == "COM1" || port.Link(c.name)) << c.name;
        else
            ASSERT_TRUE(port.LinkAt(c.name)) << c.name;
    }
    for (const Case& c : cases) {
        DeviceHandle h = OpenComPort(c.name.c_str());
        EXPECT_EQ(!IsNoDevice(h), c.opens) << c.name;
        EXPECT_EQ(port.OpenedSinceLastAsk(), c.opens)
            << c.name << ": a refused name touches nothing";
        if (!IsNoDevice(h))
            platform::CloseDeviceHandle(h);
    }
    // The refusal comes from the name's room, not from the port.
    DeviceHandle linked = platform::OpenSerialPort("com1234567890", 9600);
    EXPECT_FALSE(IsNoDevice(linked));
    platform::CloseDeviceHandle(linked);
    EXPECT_EQ(OpenComPort(nullptr), platform::kInvalidHandle);
}

TEST_F(ComOpenTest, RatesAreCheckedBeforeThePortIsTouched) {
    for (int baud : {57600, 14400, 0, -1, 9601}) {
        EXPECT_EQ(OpenComPortBaud("com1", baud), platform::kInvalidHandle) << baud;
        EXPECT_FALSE(port.OpenedSinceLastAsk()) << baud;
    }
    for (int baud : {4800, 9600, 19200, 38400, 115200}) {
        DeviceHandle h = OpenComPortBaud("com1", baud);
        EXPECT_FALSE(IsNoDevice(h)) << baud;
        platform::CloseDeviceHandle(h);
    }
}

TEST_F(ComTransportTest, PortIsExclusive) {
    EXPECT_EQ(OpenComPort("com1"), platform::kInvalidHandle);
    EXPECT_EQ(OpenComPortBaud(port.pty.slavePath().c_str(), 115200), platform::kInvalidHandle);
}

TEST_F(ComTransportTest, WriteAndExactRead) {
    const Bytes out = {0x00, 0x02, 0x56, 0x00};
    EXPECT_EQ(ComWrite(h, out.data(), int(out.size())), ReaderOk);
    EXPECT_EQ(port.Receive(out.size()), out);
    EXPECT_EQ(ComWrite(h, out.data(), -1), ReaderFailed);

    Queue({1, 2, 3});
    uint8_t in[3] = {};
    EXPECT_EQ(ComReadExact(h, in, 3), ReaderOk);
    EXPECT_EQ(in[2], 3);
}

using test_support::Cat;

// What the port still holds, taken off it.
Bytes TakeQueued(DeviceHandle h) {
    Bytes bytes(size_t(platform::SerialBytesQueued(h)));
    EXPECT_EQ(platform::SerialRead(h, bytes.data(), bytes.size()), long(bytes.size()));
    return bytes;
}

// A refused frame is read off to its LEN: what follows it stays queued whole.
TEST_F(ComTransportTest, ReadLenFrameTakesExactlyOneFrame) {
    const Bytes reply = {0x00, 0x03, 'A', 'Y', 0x01};
    const Bytes swipe = {0x00, 0x04, 'A', 'Y', 0x01, 0x00};
    Bytes overLong(62, 'x');
    overLong[0] = 0;
    overLong[1] = 60;
    struct Case {
        const char* what;
        Bytes queued;
        int capacity;
        int result;
        int length;
        Bytes left;
    } cases[] = {
        {"whole frame", reply, 150, ReaderOk, 5, {}},
        {"frame filling the buffer", reply, 5, ReaderOk, 5, {}},
        {"empty frame", {0x00, 0x00}, 150, ReaderOk, 2, {}},
        {"a further byte queued", Cat({reply, {0x02}}), 150, ReaderFailed, 0, {0x02}},
        {"a swipe behind the reply", Cat({reply, swipe}), 150, ReaderFailed, 0, swipe},
        {"length beyond the buffer", reply, 4, ReaderFailed, 0, {}},
        {"over-long reply, a swipe behind it", Cat({overLong, swipe}), 30, ReaderFailed, 0, swipe},
        {"huge length field", {0xff, 0xff, 'A', 'Y', 1, 2, 3, 4}, 8, ReaderFailed, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::SerialPurge(h, true, true);
        Queue(c.queued);
        // Guard bytes after the caller's room must survive.
        Bytes buffer(size_t(c.capacity) + 16, 0xee);
        int length = 0;
        EXPECT_EQ(ComReadLenFrame(h, buffer.data(), c.capacity, &length, 1000), c.result);
        EXPECT_EQ(length, c.length);
        if (c.result == ReaderOk) {
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + length), c.queued);
        }
        EXPECT_EQ(Bytes(buffer.begin() + c.capacity, buffer.end()), Bytes(16, 0xee));
        EXPECT_EQ(TakeQueued(h), c.left);
    }
}

// The body of an over-long reply is read off as it comes, but no longer
// than the time-out.
TEST_F(ComTransportTest, OverLongReplyIsReadOffAsItComesWithinTheTimeOut) {
    Bytes body(300, 'x');
    const Bytes next = {0x00, 0x02, 'b', 'Y'};
    std::thread reader([&] {
        port.Send(Cat({{0x01, 0x2C}, Bytes(body.begin(), body.begin() + 100)}));
        platform::SleepMs(150);
        port.Send(Cat({Bytes(body.begin() + 100, body.end()), next}));
    });
    uint8_t buffer[30] = {};
    int length = 0;
    EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 1000), ReaderFailed);
    reader.join();
    EXPECT_EQ(TakeQueued(h), next);

    // A reader that sends less than its LEN: the read-off ends at the time-out.
    Queue(Cat({{0x00, 0x80}, Bytes(10, 'x')}));
    const uint32_t start = platform::TickCount();
    EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 300), ReaderFailed);
    const uint32_t took = platform::TickCount() - start;
    EXPECT_GE(took, 300u);
    EXPECT_LT(took, 800u);
    EXPECT_EQ(platform::SerialBytesQueued(h), 0);
}

TEST_F(ComTransportTest, ReadLenFrameWithTimeOutZeroReadsNothing) {
    Queue({0x00, 0x03, 'A', 'Y', 0x01});
    uint8_t buffer[16];
    int length = -7;
    EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 0), ReaderFailed);
    EXPECT_EQ(length, -7);
    EXPECT_EQ(platform::SerialBytesQueued(h), 5);
}

TEST_F(ComTransportTest, ReadLenFrameWaitsAcrossPauses) {
    const Bytes frame = {0x00, 0x03, 'A', 'Y', 0x01};
    for (size_t split : {size_t(1), size_t(2), size_t(4)}) {
        SCOPED_TRACE(split);
        std::thread reader([&] {
            port.Send(Bytes(frame.begin(), frame.begin() + long(split)));
            platform::SleepMs(150);
            port.Send(Bytes(frame.begin() + long(split), frame.end()));
        });
        uint8_t buffer[16] = {};
        int length = 0;
        EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 1000), ReaderOk);
        EXPECT_EQ(length, 5);
        EXPECT_EQ(Bytes(buffer, buffer + 5), frame);
        reader.join();
    }
}

TEST_F(ComTransportTest, ReadLenFrameFailsOnASilentLine) {
    uint8_t buffer[16];
    int length = 0;
    uint32_t start = platform::TickCount();
    EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 1000), ReaderFailed);
    EXPECT_GE(platform::TickCount() - start, 1000u);
    EXPECT_EQ(g_nComTimeoutMs, 1000u);
}

TEST_F(ComTransportTest, TransceiveDropsStaleBytesBeforeTheRequest) {
    Queue({0x00, 0x01, 'X'}); // a reply that came too late for the last request
    const Bytes request = {0x00, 0x02, 0x56, 0x00};
    const Bytes reply = {0x00, 0x04, 0x56, 'Y', 'v', '1'};
    std::thread reader([&] {
        EXPECT_EQ(port.Receive(request.size()), request);
        port.Send(reply);
    });
    uint8_t buffer[30] = {};
    int length = 0;
    EXPECT_EQ(
        ComTransceive(h, request.data(), int(request.size()), buffer, sizeof buffer, &length, 2000),
        ReaderOk);
    reader.join();
    EXPECT_EQ(Bytes(buffer, buffer + length), reply);
}

TEST_F(ComTransportTest, ReadForSecondCollectsInOrder) {
    std::thread reader([&] {
        port.Send({'a', 'b'});
        platform::SleepMs(200);
        port.Send({'c'});
    });
    uint8_t buffer[1024];
    int count = -1;
    EXPECT_EQ(ComReadForSecond(h, buffer, sizeof buffer, &count), ReaderOk);
    reader.join();
    EXPECT_EQ(Bytes(buffer, buffer + count), (Bytes{'a', 'b', 'c'}));
}

// Each one-byte read waits its own time-out, so an answer that starts after
// the second has passed is still taken.
TEST_F(ComTransportTest, ReadForSecondTakesAnAnswerStartingLate) {
    std::thread reader([&] {
        platform::SleepMs(1200);
        port.Send({'l', 'a', 't', 'e'});
    });
    Bytes buffer(16, 0xee);
    int count = -1;
    EXPECT_EQ(ComReadForSecond(h, buffer.data(), int(buffer.size()), &count), ReaderOk);
    reader.join();
    ASSERT_EQ(count, 4);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{'l', 'a', 't', 'e'}));
}

// A line that goes before the first byte gives no answer; bytes that came
// before it went are the answer.
TEST_F(ComTransportTest, ReadForSecondOnALineThatGoes) {
    for (const Bytes& sent : {Bytes{}, Bytes{'a', 'b'}}) {
        SCOPED_TRACE(sent.size());
        platform::Pty gone;
        ASSERT_TRUE(gone.Open());
        const DeviceHandle line = OpenComPortBaud(gone.slavePath().c_str(), 9600);
        ASSERT_FALSE(IsNoDevice(line));
        std::thread reader([&] {
            EXPECT_EQ(gone.Write(sent.data(), sent.size()), long(sent.size()));
            // The read takes queued bytes at once; then the line hangs up.
            platform::SleepMs(200);
            gone.Close();
        });
        uint8_t buffer[16];
        int count = -1;
        const uint32_t start = platform::TickCount();
        EXPECT_EQ(ComReadForSecond(line, buffer, sizeof buffer, &count),
                  sent.empty() ? ReaderFailed : ReaderOk);
        EXPECT_LT(platform::TickCount() - start, 800u) << "a gone line is not waited out";
        reader.join();
        EXPECT_EQ(Bytes(buffer, buffer + count), sent);
        platform::CloseDeviceHandle(line);
    }
}

TEST_F(ComTransportTest, ReadForSecondOnSilenceGivesNothing) {
    uint8_t buffer[16];
    int count = -1;
    EXPECT_EQ(ComReadForSecond(h, buffer, sizeof buffer, &count), ReaderOk);
    EXPECT_EQ(count, 0);
}

TEST_F(ComTransportTest, ReadForSecondStopsAtTheBuffersEnd) {
    Queue({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    Bytes buffer(4 + 16, 0xee);
    int count = -1;
    EXPECT_EQ(ComReadForSecond(h, buffer.data(), 4, &count), ReaderOk);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(Bytes(buffer.begin() + 4, buffer.end()), Bytes(16, 0xee));
}

TEST_F(ComTransportTest, ReadForSecondRefusesBadArguments) {
    uint8_t buffer[4];
    int count = 0;
    EXPECT_EQ(ComReadForSecond(0, buffer, 4, &count), ReaderBadArgument);
    EXPECT_EQ(ComReadForSecond(platform::kInvalidHandle, buffer, 4, &count), ReaderBadArgument);
    EXPECT_EQ(ComReadForSecond(h, nullptr, 4, &count), ReaderBadArgument);
    EXPECT_EQ(ComReadForSecond(h, buffer, 4, nullptr), ReaderBadArgument);
}

TEST(ComOnOtherHandles, FailsCleanly) {
    struct NotAPort : platform::OpenDevice {};
    const DeviceHandle other = platform::RegisterDevice(std::make_shared<NotAPort>());
    uint8_t buffer[16] = {};
    int length = 0;
    for (DeviceHandle h : {other, other + 1000}) {
        EXPECT_EQ(ComWrite(h, buffer, 2), ReaderFailed) << h;
        EXPECT_EQ(ComReadExact(h, buffer, 2), ReaderFailed) << h;
        EXPECT_EQ(ComReadLenFrame(h, buffer, sizeof buffer, &length, 1000), ReaderFailed) << h;
        EXPECT_EQ(ComTransceive(h, buffer, 2, buffer, sizeof buffer, &length, 1000), ReaderFailed)
            << h;
        int count = -1;
        EXPECT_EQ(ComReadForSecond(h, buffer, sizeof buffer, &count), ReaderFailed) << h;
        EXPECT_EQ(count, 0) << h;
    }
    for (DeviceHandle h : {DeviceHandle(0), platform::kInvalidHandle})
        EXPECT_EQ(ComTransceive(h, buffer, 2, buffer, sizeof buffer, &length, 1000),
                  ReaderBadArgument);
    platform::CloseDeviceHandle(other);
}
