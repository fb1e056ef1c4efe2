#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/vhid.h"
#include "tests/platform/test_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::DeviceHandle;
using platform::HidIo;
using platform::VirtualHidDevice;
using Bytes = std::vector<uint8_t>;

class VhidBus : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    void TearDown() override {
        for (DeviceHandle h : m_handles)
            platform::CloseDeviceHandle(h);
        m_devices.clear();
    }

    VirtualHidDevice* Add(const std::string& name, uint16_t vendor = 0x0483,
                          uint16_t product = 0x572B,
                          VirtualHidDevice::Sharing sharing = VirtualHidDevice::Sharing::Shared) {
        auto device = VirtualHidDevice::Create(m_folder, name, vendor, product, 9, 9, sharing);
        EXPECT_NE(device, nullptr) << name;
        m_devices.push_back(std::move(device));
        return m_devices.back().get();
    }

    DeviceHandle Open(const std::string& path) {
        DeviceHandle h = platform::OpenHidPath(path);
        if (h != platform::kInvalidHandle)
            m_handles.push_back(h);
        return h;
    }

    static HidIo Read(DeviceHandle h, Bytes* report, uint32_t timeoutMs, bool wakeable = false) {
        report->assign(128, 0);
        size_t got = 0;
        HidIo io =
            platform::HidReadReport(h, report->data(), report->size(), &got, timeoutMs, wakeable);
        report->resize(got);
        return io;
    }

    test_support::PrivateVhidBus m_bus;
    const std::string m_folder = m_bus.path();
    std::vector<std::unique_ptr<VirtualHidDevice>> m_devices;
    std::vector<DeviceHandle> m_handles;
};

TEST_F(VhidBus, ListsDeviceSocketsByName) {
    Add("c");
    Add("a");
    Add("b");
    std::ofstream(m_folder + "/plain-file") << "x";
    std::filesystem::create_directory(m_folder + "/folder");
    const std::string prefix = "vhid:" + m_folder + "/";
    std::vector<std::string> paths = platform::ListHidPaths();
    std::vector<std::string> ours;
    for (const std::string& path : paths)
        if (path.rfind("vhid:", 0) == 0)
            ours.push_back(path);
    EXPECT_EQ(ours, (std::vector<std::string>{prefix + "a", prefix + "b", prefix + "c"}));
    // Real interfaces come first.
    EXPECT_EQ(std::vector<std::string>(paths.end() - 3, paths.end()), ours);
}

TEST_F(VhidBus, BusIsOffWithoutAFolder) {
    VirtualHidDevice* device = Add("reader");
    for (const char* value : {"", "/nonexistent/txv", "/etc/hostname"}) {
        setenv("TXV_VHID_DIR", value, 1);
        EXPECT_TRUE(platform::ListVhidPaths().empty()) << value;
        EXPECT_EQ(Open(device->path()), platform::kInvalidHandle) << value;
    }
    unsetenv("TXV_VHID_DIR");
    EXPECT_TRUE(platform::ListVhidPaths().empty());
}

TEST_F(VhidBus, HelloGivesIdsAndReportLengths) {
    auto device = VirtualHidDevice::Create(m_folder, "reader", 0x5131, 0x2007, 65, 33);
    ASSERT_NE(device, nullptr);
    DeviceHandle h = Open(device->path());
    ASSERT_NE(h, platform::kInvalidHandle);
    platform::HidAttributes attributes;
    platform::HidCaps caps;
    ASSERT_TRUE(platform::HidGetAttributes(h, &attributes));
    ASSERT_TRUE(platform::HidGetCaps(h, &caps));
    EXPECT_EQ(attributes.vendorId, 0x5131);
    EXPECT_EQ(attributes.productId, 0x2007);
    EXPECT_EQ(caps.inputReportLength, 65);
    EXPECT_EQ(caps.outputReportLength, 33);
}

TEST_F(VhidBus, HelloIsFourLittleEndianWords) {
    uint8_t bytes[platform::kVhidHelloSize];
    platform::EncodeVhidHello({0x0483, 0x572B, 9, 65}, bytes);
    EXPECT_EQ(Bytes(bytes, bytes + 8), (Bytes{0x83, 0x04, 0x2B, 0x57, 0x09, 0x00, 0x41, 0x00}));
    platform::VhidHello hello;
    EXPECT_FALSE(platform::DecodeVhidHello(bytes, 7, &hello));
    EXPECT_FALSE(platform::DecodeVhidHello(bytes, 9, &hello));
}

TEST_F(VhidBus, CarriesReportsBothWays) {
    VirtualHidDevice* device = Add("reader");
    DeviceHandle first = Open(device->path());
    DeviceHandle second = Open(device->path());
    ASSERT_NE(first, platform::kInvalidHandle);
    ASSERT_NE(second, platform::kInvalidHandle);

    const uint8_t out[] = {0x00, 0x00, 0x01, 0x30, 0, 0, 0, 0, 0};
    ASSERT_EQ(platform::HidWriteReport(first, out, sizeof out, 1000), HidIo::Ok);
    Bytes received;
    ASSERT_TRUE(device->receiveOutputReport(&received, 2000));
    EXPECT_EQ(received, Bytes(out, out + sizeof out));

    // Short input reports are padded; every open interface gets each one.
    const uint8_t in[] = {0x00, 0x00, 0x01, 'Y'};
    EXPECT_EQ(device->sendInputReport(in, sizeof in), 2);
    for (DeviceHandle h : {first, second}) {
        Bytes report;
        ASSERT_EQ(Read(h, &report, 1000), HidIo::Ok);
        EXPECT_EQ(report, (Bytes{0x00, 0x00, 0x01, 'Y', 0, 0, 0, 0, 0}));
    }
    const Bytes tooLong(10, 0x01);
    EXPECT_EQ(device->sendInputReport(tooLong.data(), tooLong.size()), 0);
}

TEST_F(VhidBus, ReadTimesOutOnSilence) {
    VirtualHidDevice* device = Add("reader");
    DeviceHandle h = Open(device->path());
    Bytes report;
    EXPECT_EQ(Read(h, &report, 100), HidIo::TimedOut);
    EXPECT_TRUE(report.empty());
}

TEST_F(VhidBus, WakeEndsOnlyWakeableReads) {
    VirtualHidDevice* device = Add("reader");
    DeviceHandle h = Open(device->path());
    platform::WakeIdleWaits(h);
    Bytes report;
    EXPECT_EQ(Read(h, &report, 5000, true), HidIo::Woken);
    const uint8_t in[] = {0x00, 0x42};
    ASSERT_EQ(device->sendInputReport(in, sizeof in), 1);
    // A report already waiting wins over the wake, so a stop loses no frame.
    ASSERT_EQ(Read(h, &report, 5000, true), HidIo::Ok);
    EXPECT_EQ(report[1], 0x42);
    EXPECT_EQ(Read(h, &report, 5000, true), HidIo::Woken);
    platform::ClearIdleWake(h);
    EXPECT_EQ(Read(h, &report, 50, true), HidIo::TimedOut);
}

TEST_F(VhidBus, RemovingTheSocketUnplugs) {
    VirtualHidDevice* device = Add("reader");
    DeviceHandle h = Open(device->path());
    std::thread remover([this] {
        platform::SleepMs(100);
        std::filesystem::remove(m_folder + "/reader");
    });
    Bytes report;
    uint32_t start = platform::TickCount();
    EXPECT_EQ(Read(h, &report, 5000), HidIo::Gone);
    EXPECT_LT(platform::TickCount() - start, 2500u);
    remover.join();
    const uint8_t out[] = {0x00, 0x01};
    EXPECT_EQ(platform::HidWriteReport(h, out, sizeof out, 1000), HidIo::Gone);
    EXPECT_FALSE(device->plugged());
    EXPECT_FALSE(device->receiveOutputReport(&report, 5000));
    EXPECT_EQ(Open(device->path()), platform::kInvalidHandle);
}

// An interface is there while its own device is: one unplugged, or whose
// socket someone removed, is gone even when a device of the same name takes
// its place; the others stay, and asking takes no report.
TEST_F(VhidBus, InterfaceIsPresentWhileItsOwnDeviceIs) {
    VirtualHidDevice* kept = Add("kept");
    VirtualHidDevice* removed = Add("removed");
    VirtualHidDevice* replaced = Add("replaced");
    const DeviceHandle hKept = Open(kept->path());
    const DeviceHandle hRemoved = Open(removed->path());
    const DeviceHandle hReplaced = Open(replaced->path());
    for (DeviceHandle h : {hKept, hRemoved, hReplaced})
        EXPECT_TRUE(platform::HidInterfacePresent(h)) << h;

    const uint8_t in[] = {0x00, 0x42};
    ASSERT_EQ(kept->sendInputReport(in, sizeof in), 1);
    std::filesystem::remove(m_folder + "/removed");
    replaced->unplug();
    VirtualHidDevice* successor = Add("replaced");
    EXPECT_TRUE(platform::HidInterfacePresent(hKept));
    EXPECT_FALSE(platform::HidInterfacePresent(hRemoved));
    EXPECT_FALSE(platform::HidInterfacePresent(hReplaced));
    EXPECT_TRUE(platform::HidInterfacePresent(Open(successor->path())));
    EXPECT_FALSE(platform::HidInterfacePresent(platform::kInvalidHandle));

    Bytes report;
    EXPECT_EQ(Read(hKept, &report, 1000), HidIo::Ok);
    EXPECT_EQ(report, (Bytes{0x00, 0x42, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(VhidBus, ExclusiveDeviceRefusesASecondClient) {
    VirtualHidDevice* device = Add("held", 0x0483, 0x572B, VirtualHidDevice::Sharing::Exclusive);
    DeviceHandle h = platform::OpenHidPath(device->path());
    ASSERT_NE(h, platform::kInvalidHandle);
    EXPECT_EQ(Open(device->path()), platform::kInvalidHandle);
    // Closing and opening straight away must work: a reader is probed, closed
    // and opened again at once when connecting.
    platform::CloseDeviceHandle(h);
    for (int i = 0; i < 20; ++i) {
        DeviceHandle again = platform::OpenHidPath(device->path());
        ASSERT_NE(again, platform::kInvalidHandle) << i;
        platform::CloseDeviceHandle(again);
    }
}

TEST_F(VhidBus, StaleSocketIsReplacedLiveOneIsNot) {
    // What a crashed device leaves: a socket file nobody listens on.
    int stale = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string path = m_folder + "/reader";
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale);

    VirtualHidDevice* device = Add("reader");
    EXPECT_NE(Open(device->path()), platform::kInvalidHandle);
    EXPECT_EQ(VirtualHidDevice::Create(m_folder, "reader", 1, 2, 9, 9), nullptr);
    std::ofstream(m_folder + "/plain") << "x";
    EXPECT_EQ(VirtualHidDevice::Create(m_folder, "plain", 1, 2, 9, 9), nullptr);
    EXPECT_TRUE(std::filesystem::is_regular_file(m_folder + "/plain"));
    for (const char* bad : {"", ".", "..", "a/b"})
        EXPECT_EQ(VirtualHidDevice::Create(m_folder, bad, 1, 2, 9, 9), nullptr) << bad;
}

TEST_F(VhidBus, UnplugWakesAWaitingReceiver) {
    VirtualHidDevice* device = Add("reader");
    std::thread unplugger([device] {
        platform::SleepMs(100);
        device->unplug();
    });
    Bytes report;
    uint32_t start = platform::TickCount();
    EXPECT_FALSE(device->receiveOutputReport(&report, 5000));
    EXPECT_LT(platform::TickCount() - start, 2500u);
    unplugger.join();
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/reader"));
}

} // namespace
