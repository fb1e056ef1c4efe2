// Arrival and removal of devices on the virtual HID bus, as the main dialog
// sees them: an interface name with the ids of the device in it.

#include "platform/device_monitor.h"
#include "platform/vhid.h"
#include "tests/platform/test_folder.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

using platform::DeviceEvent;
using platform::DeviceEventType;
using platform::DeviceMonitor;
using platform::VirtualHidDevice;

class DeviceMonitorVhid : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    void TearDown() override { m_monitor.reset(); }

    void StartMonitor() {
        m_monitor = std::make_unique<DeviceMonitor>([this](const DeviceEvent& event) {
            std::lock_guard guard(m_lock);
            m_events.push_back(event);
            m_arrived.notify_all();
        });
        ASSERT_TRUE(m_monitor->Start());
    }

    std::unique_ptr<VirtualHidDevice> Plug(const std::string& name, uint16_t vendor,
                                           uint16_t product) {
        auto device = VirtualHidDevice::Create(m_folder, name, vendor, product, 65, 65);
        EXPECT_NE(device, nullptr);
        return device;
    }

    // The next event, or nullopt after a generous wait.
    std::optional<DeviceEvent> NextEvent() {
        std::unique_lock guard(m_lock);
        if (!m_arrived.wait_for(guard, std::chrono::seconds(10),
                                [this] { return !m_events.empty(); }))
            return std::nullopt;
        DeviceEvent event = m_events.front();
        m_events.pop_front();
        return event;
    }

    void ExpectEvent(DeviceEventType type, const std::string& name) {
        std::optional<DeviceEvent> event = NextEvent();
        ASSERT_TRUE(event.has_value()) << name;
        EXPECT_EQ(event->type, type);
        EXPECT_EQ(event->interfaceName, name);
    }

    test_support::PrivateVhidBus m_bus;
    const std::string m_folder = m_bus.path();
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<DeviceEvent> m_events;
    std::unique_ptr<DeviceMonitor> m_monitor;
};

const std::string kGuid = "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

TEST_F(DeviceMonitorVhid, ArrivalAndRemovalCarryTheDeviceIds) {
    StartMonitor();
    auto reader = Plug("reader", 0x0483, 0x572B);
    const std::string name = "\\\\?\\USB#VID_0483&PID_572B#reader" + kGuid;
    ExpectEvent(DeviceEventType::Arrival, name);

    auto other = Plug("other", 0x5131, 0x2007);
    ExpectEvent(DeviceEventType::Arrival, "\\\\?\\USB#VID_5131&PID_2007#other" + kGuid);

    reader->unplug();
    ExpectEvent(DeviceEventType::RemoveComplete, name);
}

TEST_F(DeviceMonitorVhid, DeviceThereBeforeTheStartIsNoArrivalButItsRemovalHasItsIds) {
    auto early = Plug("early", 0x0483, 0x572B);
    StartMonitor();
    // Other files in the folder are no devices: nothing is reported for them.
    std::ofstream(m_folder + "/notes.txt") << "x";
    std::filesystem::remove(m_folder + "/notes.txt");

    early->unplug();
    ExpectEvent(DeviceEventType::RemoveComplete, "\\\\?\\USB#VID_0483&PID_572B#early" + kGuid);
    auto late = Plug("late", 0x0483, 0x572B);
    ExpectEvent(DeviceEventType::Arrival, "\\\\?\\USB#VID_0483&PID_572B#late" + kGuid);
}

TEST(DeviceMonitorName, IdsAreFourUpperCaseHexDigits) {
    EXPECT_EQ(platform::UsbInterfaceName(0x5131, 0x2007, "SN1"),
              "\\\\?\\USB#VID_5131&PID_2007#SN1" + kGuid);
    EXPECT_EQ(platform::UsbInterfaceName(0xab, 0x572b, "x"),
              "\\\\?\\USB#VID_00AB&PID_572B#x" + kGuid);
}

} // namespace
