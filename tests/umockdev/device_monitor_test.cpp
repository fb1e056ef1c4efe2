// USB arrival and removal from udev: the monitor reports a reader once its
// hidraw interface exists, with the interface name the main dialog looks in.

#include "platform/device_monitor.h"
#include "tests/umockdev/hidraw_testbed.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace {

using platform::DeviceEvent;
using platform::DeviceEventType;
using umockdev_test::HidrawTestbed;
using umockdev_test::MockNode;
using umockdev_test::MockReader;

constexpr DeviceEventType kArrival = DeviceEventType::Arrival;
constexpr DeviceEventType kRemove = DeviceEventType::RemoveComplete;

std::string Name(const std::string& ids, const std::string& serial) {
    return "\\\\?\\USB#" + ids + "#" + serial + "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
}

// Every event the monitor reports, in order.
class EventLog {
public:
    void Add(const DeviceEvent& event) {
        std::lock_guard guard(m_lock);
        m_events.emplace_back(event.type, event.interfaceName);
        m_changed.notify_all();
    }

    // The first count events, or all there are after a generous wait.
    std::vector<std::pair<DeviceEventType, std::string>> First(size_t count) {
        std::unique_lock guard(m_lock);
        m_changed.wait_for(guard, std::chrono::seconds(10),
                           [&] { return m_events.size() >= count; });
        return m_events;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::pair<DeviceEventType, std::string>> m_events;
};

TEST(UmockdevDeviceMonitor, ReportsAReaderOnceItsHidrawInterfaceExists) {
    HidrawTestbed testbed;
    ASSERT_TRUE(HidrawTestbed::PreloadActive());
    EventLog log;
    platform::DeviceMonitor monitor([&log](const DeviceEvent& event) { log.Add(event); });
    ASSERT_TRUE(monitor.Start());

    const std::string other = Name("VID_1234&PID_5678", "SN3");
    const std::string reader = Name("VID_0483&PID_572B", "SN1");
    MockNode& otherNode = testbed.Add({0x1234, 0x5678, 65, 0}, 3);
    MockNode& readerNode = testbed.AddUsbDevice({0x0483, 0x572B, 65, 0}, 1);
    // Once the other device's second add is reported, the reader's add has
    // been handled while it had no hidraw interface yet.
    testbed.UsbEvent(otherNode, "add");
    ASSERT_EQ(log.First(2).size(), 2u);

    testbed.AddHidraw(readerNode, 1);
    testbed.UsbEvent(readerNode, "remove");
    // An add of a device whose interface is already there is reported at once.
    testbed.UsbEvent(readerNode, "add");
    testbed.UsbEvent(readerNode, "remove");

    const std::vector<std::pair<DeviceEventType, std::string>> expected = {
        {kArrival, other}, {kArrival, other},  {kArrival, reader},
        {kRemove, reader}, {kArrival, reader}, {kRemove, reader},
    };
    EXPECT_EQ(log.First(expected.size()), expected);
}

} // namespace
