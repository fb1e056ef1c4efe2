// The HID transport over mocked /dev/hidrawN nodes: listing by ids, report
// lengths from the report descriptor, a command exchange, and a device that
// goes away in the middle of a transfer.

#include "platform/hid.h"
#include "reader/commands.h"
#include "reader/hid_transport.h"
#include "tests/umockdev/hidraw_testbed.h"
#include "tests/umockdev/node_reader.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using umockdev_test::HidrawTestbed;
using umockdev_test::MockReader;
using umockdev_test::NodeReader;
using umockdev_test::NodeReaderOptions;

constexpr MockReader kReaderA{0x0483, 0x572B, 65, 0};
constexpr MockReader kReaderB{0x5131, 0x2007, 9, 0};
constexpr MockReader kOtherDevice{0x1234, 0x5678, 65, 0};

class UmockdevHid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(HidrawTestbed::PreloadActive())
            << "run under LD_PRELOAD=libumockdev-preload.so.0";
    }

    // Closed at the end of the test.
    DeviceHandle Open(const std::string& devnode) {
        const DeviceHandle h = platform::OpenHidPath(devnode);
        EXPECT_NE(h, platform::kInvalidHandle) << devnode;
        m_handles.push_back(h);
        return h;
    }

    void TearDown() override {
        for (DeviceHandle h : m_handles)
            platform::CloseDeviceHandle(h);
    }

    HidrawTestbed m_testbed;
    std::vector<DeviceHandle> m_handles;
};

// Node numbers out of order and past 9, so that neither creation order nor
// text order passes for enumeration order.
TEST_F(UmockdevHid, ListingTakesExactlyTheNodesWithTheAskedIdsByNodeNumber) {
    m_testbed.Add(kReaderA, 10);
    m_testbed.Add(kOtherDevice, 3);
    m_testbed.Add({0x0483, 0x572B, 9, 1}, 2);
    m_testbed.Add(kReaderB, 5);

    struct Case {
        int productId;
        int vendorId;
        HidPathList expected;
    };
    const Case cases[] = {
        {0x572B, 0x0483, {"/dev/hidraw2", "/dev/hidraw10"}},
        {0x2007, 0x5131, {"/dev/hidraw5"}},
        {0x5678, 0x1234, {"/dev/hidraw3"}},
        {0x2007, 0x0483, {}}, // each id of a reader, but not of the same one
        {0x572B, 0x5131, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindHidDevices(c.productId, c.vendorId), c.expected)
            << std::hex << c.vendorId << ":" << c.productId;
}

} // namespace

namespace umockdev_test {
void PrintTo(const MockReader& reader, std::ostream* out) {
    *out << std::hex << reader.vendorId << ":" << reader.productId << std::dec << ", "
         << reader.reportLength << "-byte reports, report id " << int(reader.reportId);
}
} // namespace umockdev_test

namespace {

class UmockdevHidReports : public UmockdevHid, public ::testing::WithParamInterface<MockReader> {};

TEST_P(UmockdevHidReports, LengthsComeFromTheDescriptorAndTheReaderAnswers) {
    const MockReader reader = GetParam();
    umockdev_test::MockNode& node = m_testbed.Add(reader, 0);
    NodeReader device(node, NodeReaderOptions{});
    const DeviceHandle h = Open(node.devnode);

    platform::HidCaps caps;
    ASSERT_TRUE(platform::HidGetCaps(h, &caps));
    EXPECT_EQ(caps.inputReportLength, reader.reportLength);
    EXPECT_EQ(caps.outputReportLength, reader.reportLength);

    // With 9-byte reports the reply takes three input reports, with 65 one.
    uint8_t version[32] = {};
    ASSERT_EQ(CmdDetectDevice(h, TransportHid, version, sizeof version, 1000), ReaderOk);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(version)), "TXV-UMOCKDEV V1.0");

    // One output report: id 0, the request, zeros.
    std::vector<uint8_t> request(size_t(reader.reportLength), 0);
    request[2] = 0x01;
    request[3] = 0x30;
    EXPECT_EQ(device.StopAndTakeReceived(), request);
}

INSTANTIATE_TEST_SUITE_P(Descriptors, UmockdevHidReports,
                         ::testing::Values(MockReader{0x0483, 0x572B, 9, 0},
                                           MockReader{0x0483, 0x572B, 65, 0},
                                           MockReader{0x5131, 0x2007, 9, 2},
                                           MockReader{0x5131, 0x2007, 65, 2}),
                         [](const ::testing::TestParamInfo<MockReader>& info) {
                             return std::to_string(info.param.reportLength) +
                                    (info.param.reportId ? "WithReportIds" : "WithoutReportIds");
                         });

// The device side closes after the first report of a three-report reply.
TEST_F(UmockdevHid, UnplugInTheMiddleOfATransferFailsItAtOnce) {
    umockdev_test::MockNode& node = m_testbed.Add(kReaderB, 0);
    NodeReader device(node, NodeReaderOptions{.hangUpAfterReports = 1});
    const DeviceHandle h = Open(node.devnode);

    const uint8_t request[] = {0x00, 0x01, 0x30};
    uint8_t reply[64];
    int count = -1;
    constexpr int kTimeoutMs = 10000;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(HidTransceive(h, request, sizeof request, reply, sizeof reply, &count, kTimeoutMs),
              ReaderFailed);
    // A write on the gone interface fails as soon.
    EXPECT_EQ(HidTransceive(h, request, sizeof request, reply, sizeof reply, &count, kTimeoutMs),
              ReaderFailed);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(kTimeoutMs / 2));
    EXPECT_EQ(device.RequestCount(), 1u);
}

// An interface is there while its own node is: a node gone, or one whose
// device side hung up, is gone; another node going changes nothing, and
// asking takes no report.
TEST_F(UmockdevHid, InterfaceIsPresentWhileItsOwnNodeIs) {
    umockdev_test::MockNode& kept = m_testbed.Add(kReaderA, 0);
    umockdev_test::MockNode& unplugged = m_testbed.Add(kReaderA, 1);
    umockdev_test::MockNode& hungUp = m_testbed.Add(kReaderA, 2);
    const DeviceHandle hKept = Open(kept.devnode);
    const DeviceHandle hUnplugged = Open(unplugged.devnode);
    const DeviceHandle hHungUp = Open(hungUp.devnode);
    for (DeviceHandle h : {hKept, hUnplugged, hHungUp})
        EXPECT_TRUE(platform::HidInterfacePresent(h)) << h;

    std::vector<uint8_t> report(size_t(kReaderA.reportLength - 1), 0x42);
    ASSERT_EQ(write(kept.deviceFd, report.data(), report.size()), ssize_t(report.size()));
    m_testbed.Unplug(unplugged);
    HidrawTestbed::HangUp(hungUp);
    EXPECT_TRUE(platform::HidInterfacePresent(hKept));
    EXPECT_FALSE(platform::HidInterfacePresent(hUnplugged));
    EXPECT_FALSE(platform::HidInterfacePresent(hHungUp));

    uint8_t got[65];
    size_t length = 0;
    EXPECT_EQ(platform::HidReadReport(hKept, got, sizeof got, &length, 1000), platform::HidIo::Ok);
    EXPECT_EQ(length, size_t(kReaderA.reportLength));
    EXPECT_EQ(got[1], 0x42);
}

} // namespace
