#include "platform/clock.h"
#include "platform/pty.h"
#include "platform/serial.h"
#include "tests/reader/hid_transport_fixture.h"

namespace hidtest {
namespace {

using Operation = std::function<int(DeviceHandle, uint8_t* buffer, int capacity, int* count)>;

struct NamedOperation {
    const char* name;
    Operation run;
};

const uint8_t kRequest[] = {0x00, 0x01, 0x30};

std::vector<NamedOperation> AllOperations() {
    return {
        {"HidTransceive", [](DeviceHandle h, uint8_t* b, int c,
                             int* n) { return HidTransceive(h, kRequest, 3, b, c, n, 500); }},
        {"HidWriteReports",
         [](DeviceHandle h, uint8_t*, int, int*) { return HidWriteReports(h, kRequest, 3); }},
        {"HidReadAll",
         [](DeviceHandle h, uint8_t* b, int c, int* n) { return HidReadAll(h, b, c, n); }},
        {"ReadResponseFrame", [](DeviceHandle h, uint8_t* b, int c,
                                 int* n) { return ReadResponseFrame(h, TransportHid, b, c, n); }},
    };
}

class HidRefusal : public VhidBusTest {};

TEST_F(HidRefusal, NoDeviceHandleIsABadArgument) {
    for (const NamedOperation& op : AllOperations())
        for (DeviceHandle h : {DeviceHandle(0), platform::kInvalidHandle}) {
            Bytes buffer(30, 0xEE);
            int count = -1;
            EXPECT_EQ(op.run(h, buffer.data(), 30, &count), ReaderBadArgument) << op.name << h;
            EXPECT_EQ(count, -1) << op.name;
        }
}

TEST_F(HidRefusal, MissingBuffersAndWrongModeAreBadArguments) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    uint8_t buffer[30];
    int count = 0;
    EXPECT_EQ(HidTransceive(h, nullptr, 3, buffer, 30, &count, 500), ReaderBadArgument);
    EXPECT_EQ(HidTransceive(h, kRequest, 3, nullptr, 30, &count, 500), ReaderBadArgument);
    EXPECT_EQ(HidTransceive(h, kRequest, 3, buffer, 30, nullptr, 500), ReaderBadArgument);
    EXPECT_EQ(HidWriteReports(h, nullptr, 3), ReaderBadArgument);
    EXPECT_EQ(HidWriteReports(h, kRequest, 0), ReaderBadArgument);
    EXPECT_EQ(HidReadAll(h, nullptr, 30, &count), ReaderBadArgument);
    EXPECT_EQ(HidReadAll(h, buffer, 30, nullptr), ReaderBadArgument);
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, nullptr, 30, &count), ReaderBadArgument);
    EXPECT_EQ(ReadResponseFrame(h, TransportHid, buffer, 30, nullptr), ReaderBadArgument);
    for (int mode : {int(TransportCom), int(TransportClosed), 7})
        EXPECT_EQ(ReadResponseFrame(h, mode, buffer, 30, &count), ReaderBadArgument) << mode;
    Bytes nothing;
    EXPECT_FALSE(device->receiveOutputReport(&nothing, 100));
}

TEST_F(HidRefusal, SerialOrUnknownHandleFailsWithoutWriting) {
    platform::Pty pty;
    ASSERT_TRUE(pty.Open());
    DeviceHandle serial = platform::OpenSerialPort(pty.slavePath(), 9600);
    ASSERT_NE(serial, platform::kInvalidHandle);
    const DeviceHandle unknown = 987654;
    for (const NamedOperation& op : AllOperations())
        for (DeviceHandle h : {serial, unknown}) {
            Bytes buffer(30, 0xEE);
            int count = -1;
            EXPECT_EQ(op.run(h, buffer.data(), 30, &count), ReaderFailed) << op.name << h;
            EXPECT_EQ(buffer, Bytes(30, 0xEE)) << op.name;
        }
    uint8_t byte;
    EXPECT_EQ(pty.Read(&byte, 1, 200), 0) << "a byte reached the serial port";
    platform::CloseDeviceHandle(serial);
}

// Once a stop is seen, a read that cannot take a report ends the take: the
// reading thread's loop would spin on it otherwise.
TEST_F(HidRefusal, EveryReadThatTakesNoReportEndsAStopsTake) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    const DeviceHandle h = Open(device);
    VirtualHidDevice* mute = AddDevice("mute", 1, 9);
    const DeviceHandle noData = Open(mute);
    platform::Pty pty;
    ASSERT_TRUE(pty.Open());
    const DeviceHandle serial = platform::OpenSerialPort(pty.slavePath(), 9600);
    ASSERT_NE(serial, platform::kInvalidHandle);
    uint8_t buffer[30];
    int count = 0;
    struct Case {
        const char* what;
        DeviceHandle h;
        int mode;
        uint8_t* buffer;
        int capacity;
        int* count;
    };
    const Case cases[] = {
        {"no device", platform::kInvalidHandle, TransportHid, buffer, 30, &count},
        {"handle 0", 0, TransportHid, buffer, 30, &count},
        {"no buffer", h, TransportHid, nullptr, 30, &count},
        {"no count", h, TransportHid, buffer, 30, nullptr},
        {"negative capacity", h, TransportHid, buffer, -1, &count},
        {"serial mode", h, TransportCom, buffer, 30, &count},
        {"serial port", serial, TransportHid, buffer, 30, &count},
        {"unknown handle", 987654, TransportHid, buffer, 30, &count},
        {"input reports without data", noData, TransportHid, buffer, 30, &count},
    };
    for (const Case& c : cases) {
        ReadingThreadStop stop;
        stop.seenAt = platform::TickCount();
        EXPECT_NE(ReadResponseFrame(c.h, c.mode, c.buffer, c.capacity, c.count, &stop), ReaderOk)
            << c.what;
        EXPECT_TRUE(stop.finished) << c.what;
    }
    platform::CloseDeviceHandle(serial);
}

struct LengthsCase {
    uint16_t input;
    uint16_t output;
};

class HidUnusableLengths : public VhidBusTest, public ::testing::WithParamInterface<LengthsCase> {};

// Report lengths come from the device: ones the transport cannot work with
// fail the exchange before anything is written.
TEST_P(HidUnusableLengths, ExchangeFailsBeforeWriting) {
    const LengthsCase c = GetParam();
    VirtualHidDevice* device = AddDevice("reader", c.input, c.output);
    DeviceHandle h = Open(device);
    Bytes reply(30, 0xEE);
    int count = -1;
    EXPECT_EQ(HidTransceive(h, kRequest, 3, reply.data(), 30, &count, 500), ReaderFailed);
    EXPECT_EQ(reply, Bytes(30, 0xEE));
    Bytes report;
    EXPECT_FALSE(device->receiveOutputReport(&report, 200));
}

INSTANTIATE_TEST_SUITE_P(Lengths, HidUnusableLengths,
                         ::testing::Values(LengthsCase{129, 9}, LengthsCase{1, 9},
                                           LengthsCase{0, 9}, LengthsCase{9, 1},
                                           LengthsCase{9, 0}));

} // namespace
} // namespace hidtest
