#include "platform/clock.h"
#include "tests/platform/hid_input_reports.h"
#include "tests/reader/hid_transport_fixture.h"

namespace hidtest {
namespace {

class HidReply : public VhidBusTest {
protected:
    // Answers the next request (one output report) with these input reports.
    void AnswerWith(VirtualHidDevice* device, std::vector<Bytes> reports) {
        AnswerInTurn(device, {std::move(reports)});
    }

    // Answers the next requests in turn, each with its own input reports.
    void AnswerInTurn(VirtualHidDevice* device, std::vector<std::vector<Bytes>> answers) {
        OnDevice([device, answers] {
            for (const std::vector<Bytes>& reports : answers) {
                Bytes request;
                if (!device->receiveOutputReport(&request, 3000))
                    return;
                for (const Bytes& report : reports)
                    device->sendInputReport(report.data(), report.size());
            }
        });
    }

    static constexpr uint8_t kUntouched = 0xEE;
    const Bytes kVersionRequest = {0x00, 0x01, 0x30};
};

TEST_F(HidReply, MultiReportFrameHandsOutExactlyItsLength) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    // LEN 0x0010: 18 bytes in three reports, the last padded with bytes that
    // are not part of the frame.
    AnswerWith(device, {{0x00, 0x00, 0x10, 'V', 'Y', 0x01, 0x02, 0x03, 0x04},
                        {0x00, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C},
                        {0x00, 0x0D, 0x0E, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}});
    Bytes reply(64, kUntouched);
    int count = -1;
    ASSERT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 2000),
        ReaderOk);
    ASSERT_EQ(count, 18);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 18),
              (Bytes{0x00, 0x10, 'V', 'Y', 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                     0x0A, 0x0B, 0x0C, 0x0D, 0x0E}));
    EXPECT_EQ(reply[18], kUntouched);
}

TEST_F(HidReply, LenOneFrameFitsTheFirstReport) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    AnswerWith(device, {{0x00, 0x00, 0x01, 'Y', 0xAA, 0xBB, 0xCC, 0xDD, 0xEE}});
    Bytes reply(30, kUntouched);
    int count = -1;
    ASSERT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 2000),
        ReaderOk);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0x00, 0x01, 'Y', kUntouched}));
}

TEST_F(HidReply, SixtyFiveByteReportsCarryAWholeFrameAtOnce) {
    VirtualHidDevice* device = AddDevice("reader", 65, 65);
    DeviceHandle h = Open(device);
    Bytes first(65, 0x00);
    first[2] = 60; // LEN 60: 62 bytes, all in the first report
    for (int i = 3; i < 63; ++i)
        first[size_t(i)] = uint8_t(i);
    first[63] = first[64] = 0x77;
    AnswerWith(device, {first});
    Bytes reply(128, kUntouched);
    int count = -1;
    ASSERT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 2000),
        ReaderOk);
    ASSERT_EQ(count, 62);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 62), Bytes(first.begin() + 1, first.end() - 2));
    EXPECT_EQ(reply[62], kUntouched);
}

TEST_F(HidReply, SilentReaderFailsAfterTheTimeOut) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    Bytes reply(30, kUntouched);
    int count = -1;
    EXPECT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 300),
        ReaderFailed);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(reply, Bytes(30, kUntouched));
}

TEST_F(HidReply, FrameStoppingHalfWayFailsAndHandsOutNothing) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    AnswerWith(device, {{0x00, 0x00, 0x10, 'V', 'Y', 0x01, 0x02, 0x03, 0x04}});
    Bytes reply(30, kUntouched);
    int count = -1;
    EXPECT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 300),
        ReaderFailed);
    EXPECT_EQ(reply, Bytes(30, kUntouched));
}

// The rest of a reply too long for its buffer is read and dropped, so the
// commands after it get their own replies.
TEST_F(HidReply, OverLongReplyFailsAloneAndLeavesNothingBehind) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    // LEN 40: 42 bytes over six reports, too long for a 30-byte reply frame.
    std::vector<Bytes> overLong = {{0x00, 0x00, 0x28, 0x30, 'Y', 0x42, 0x42, 0x42, 0x42}};
    for (int i = 0; i < 5; ++i)
        overLong.push_back(Bytes(9, 0x42));
    const std::vector<Bytes> accepted = {{0x00, 0x00, 0x02, 0x31, 'Y'}};
    AnswerInTurn(device, {overLong, accepted, accepted, accepted});
    Bytes reply(30, kUntouched);
    int count = -1;
    EXPECT_EQ(
        HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()), &count, 2000),
        ReaderFailed);
    EXPECT_EQ(reply, Bytes(30, kUntouched));
    const uint8_t setSpeed[] = {0x00, 0x02, 0x31, 0x01};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(HidTransceive(h, setSpeed, 4, reply.data(), int(reply.size()), &count, 2000),
                  ReaderOk)
            << "command " << i;
        EXPECT_EQ(Bytes(reply.begin(), reply.begin() + count), (Bytes{0x00, 0x02, 0x31, 'Y'}));
    }
}

// The input reports of a frame of LEN len, zeros after the length field.
std::vector<Bytes> ZeroFrameReports(uint16_t len, size_t reportLength) {
    return test_support::SplitIntoReports(test_support::ZeroLenFrame(len), reportLength);
}

// A reply that no buffer holds is read off as fast as it comes, not at the
// pace of a reply in use: 63 reports for LEN 4000 over 65 bytes, 8193 for
// LEN 0xFFFF over 9.
TEST_F(HidReply, OverLongReplyIsReadOffWithoutPauses) {
    for (const auto& [reportLength, len] : {std::pair<uint16_t, uint16_t>{65, 4000}, {9, 0xFFFF}}) {
        SCOPED_TRACE(reportLength);
        VirtualHidDevice* device =
            AddDevice("reader" + std::to_string(reportLength), reportLength, reportLength);
        DeviceHandle h = Open(device);
        const std::vector<Bytes> accepted = {{0x00, 0x00, 0x02, 0x31, 'Y'}};
        AnswerInTurn(device, {ZeroFrameReports(len, reportLength), accepted});
        Bytes reply(1024, kUntouched);
        int count = -1;
        const uint32_t start = platform::TickCount();
        EXPECT_EQ(HidTransceive(h, kVersionRequest.data(), 3, reply.data(), int(reply.size()),
                                &count, 2000),
                  ReaderFailed);
        EXPECT_LT(platform::TickCount() - start, 1000u);
        const uint8_t setSpeed[] = {0x00, 0x02, 0x31, 0x01};
        ASSERT_EQ(HidTransceive(h, setSpeed, 4, reply.data(), int(reply.size()), &count, 2000),
                  ReaderOk);
        EXPECT_EQ(Bytes(reply.begin(), reply.begin() + count), (Bytes{0x00, 0x02, 0x31, 'Y'}));
    }
}

struct FrameFitCase {
    uint16_t len;
    int capacity;
    int result;
};

class HidFrameFit : public VhidBusTest, public ::testing::WithParamInterface<FrameFitCase> {};

// The length field is the reader's word, the buffers are ours: a frame that
// does not fit fails without a byte written past them.
TEST_P(HidFrameFit, FrameMustFitBufferAndAccumulator) {
    const FrameFitCase c = GetParam();
    constexpr uint8_t kUntouched = 0xEE;
    constexpr size_t kPerReport = 127;
    VirtualHidDevice* device = AddDevice("reader", 128, 9);
    DeviceHandle h = Open(device);
    const size_t frame = size_t(c.len) + 2;
    // A frame too big for any buffer is cut short: the read must fail on
    // its first report anyway.
    const size_t sent = std::min<size_t>(frame, 2100);
    Bytes data(sent + kPerReport, 0x42);
    data[0] = uint8_t(c.len >> 8);
    data[1] = uint8_t(c.len & 0xFF);
    OnDevice([device, data, sent] {
        for (size_t at = 0; at < sent; at += kPerReport) {
            Bytes report(1, 0x00);
            report.insert(report.end(), data.begin() + long(at),
                          data.begin() + long(at + kPerReport));
            if (device->sendInputReport(report.data(), report.size()) != 1)
                return;
        }
    });
    Bytes buffer(size_t(c.capacity) + 16, kUntouched);
    int count = -1;
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), c.capacity, &count), c.result);
    if (c.result == ReaderOk) {
        EXPECT_EQ(count, int(frame));
        EXPECT_EQ(buffer[frame], kUntouched);
    } else {
        EXPECT_EQ(buffer, Bytes(buffer.size(), kUntouched));
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, HidFrameFit,
                         ::testing::Values(FrameFitCase{28, 30, ReaderOk},
                                           FrameFitCase{29, 30, ReaderFailed},
                                           FrameFitCase{2022, 2048, ReaderOk},
                                           FrameFitCase{2023, 4096, ReaderFailed},
                                           FrameFitCase{0xFFFF, 1024, ReaderFailed}));

class HidReadingThread : public VhidBusTest {};

TEST_F(HidReadingThread, ReadsAFrameTheReaderSendsByItself) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    Send(device, {0x00, 0x00, 0x03, 'A', 'Y', 0x00});
    Bytes buffer(1024, 0xEE);
    int count = -1;
    ASSERT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count),
              ReaderOk);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 5), (Bytes{0x00, 0x03, 'A', 'Y', 0x00}));
}

TEST_F(HidReadingThread, WakeEndsAnIdleWaitAtOnce) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    OnDevice([h] {
        platform::SleepMs(100);
        platform::WakeIdleWaits(h);
    });
    Bytes buffer(1024);
    int count = -1;
    uint32_t start = platform::TickCount();
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count),
              ReaderFailed);
    // Well short of the 1500 ms a silent reader costs.
    EXPECT_LT(platform::TickCount() - start, 1000u);

    // Once cleared, the next read takes the next frame again.
    platform::ClearIdleWake(h);
    Send(device, {0x00, 0x00, 0x01, 'Y'});
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count),
              ReaderOk);
    EXPECT_EQ(count, 3);
}

TEST_F(HidReadingThread, WakeStillTakesAFrameAlreadyWaiting) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    Send(device, {0x00, 0x00, 0x03, 'A', 'Y', 0x07});
    platform::WakeIdleWaits(h);
    Bytes buffer(1024);
    int count = -1;
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count),
              ReaderOk);
    EXPECT_EQ(count, 5);
    platform::ClearIdleWake(h);
}

// After a stop the frame at hand is read on at the reader's pace; a reader
// that then falls silent inside it has ended what it sent.
TEST_F(HidReadingThread, StopReadsTheFrameAtHandToItsEndUnlessTheReaderFallsSilent) {
    struct Case {
        uint32_t lastReportAfterStopMs;
        int result;
    };
    for (const Case c : {Case{30, ReaderOk}, Case{400, ReaderFailed}}) {
        SCOPED_TRACE(c.lastReportAfterStopMs);
        VirtualHidDevice* device = AddDevice("reader" + std::to_string(c.result), 9, 9);
        DeviceHandle h = Open(device);
        // LEN 0x0016: 24 bytes in three reports; the stop comes between the
        // second and the third.
        Send(device, {0x00, 0x00, 0x16, 'A', 'Y', 1, 2, 3, 4});
        Send(device, {0x00, 5, 6, 7, 8, 9, 10, 11, 12});
        OnDevice([device, h, c] {
            platform::SleepMs(400);
            platform::WakeIdleWaits(h);
            platform::SleepMs(c.lastReportAfterStopMs);
            Bytes last = {0x00, 13, 14, 15, 16, 17, 18, 19, 20};
            device->sendInputReport(last.data(), last.size());
        });
        Bytes buffer(1024);
        int count = -1;
        ReadingThreadStop stop;
        EXPECT_EQ(
            ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count, &stop),
            c.result);
        EXPECT_EQ(count, c.result == ReaderOk ? 24 : 0);
        EXPECT_TRUE(stop.seenAt.has_value());
        EXPECT_EQ(stop.finished, c.result != ReaderOk);
        platform::ClearIdleWake(h);
    }
}

// A stop while an over-long frame still arrives reads the frame on to its
// end at the reader's pace: the next report read is the one after it.
TEST_F(HidReadingThread, StopDuringAnOverLongFrameReadsItToItsEnd) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    // LEN 1100: 138 reports, one every 2 ms; the stop comes after 60.
    const std::vector<Bytes> frame = ZeroFrameReports(1100, 9);
    const Bytes after = {0x00, 0x00, 0x01, 'Y', 0, 0, 0, 0, 0};
    OnDevice([device, h, frame, after] {
        for (size_t i = 0; i < frame.size(); ++i) {
            if (i == 60)
                platform::WakeIdleWaits(h);
            device->sendInputReport(frame[i].data(), frame[i].size());
            platform::SleepMs(2);
        }
        device->sendInputReport(after.data(), after.size());
    });
    Bytes buffer(1024);
    int count = -1;
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer.data(), int(buffer.size()), &count),
              ReaderFailed);
    Bytes next(9);
    size_t got = 0;
    ASSERT_EQ(platform::HidReadReport(h, next.data(), next.size(), &got, 1000),
              platform::HidIo::Ok);
    EXPECT_EQ(next, after);
    platform::ClearIdleWake(h);
}

TEST_F(HidReadingThread, UnplugMidTransferFailsAtOnce) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    OnDevice([device] {
        Bytes request;
        if (device->receiveOutputReport(&request, 3000))
            device->unplug();
    });
    const uint8_t request[] = {0x00, 0x01, 0x30};
    Bytes reply(30);
    int count = -1;
    uint32_t start = platform::TickCount();
    EXPECT_EQ(HidTransceive(h, request, 3, reply.data(), int(reply.size()), &count, 5000),
              ReaderFailed);
    EXPECT_LT(platform::TickCount() - start, 2500u);
    // Every later transfer on the handle fails at once too.
    EXPECT_EQ(HidWriteReports(h, request, 3), ReaderFailed);
}

} // namespace
} // namespace hidtest
