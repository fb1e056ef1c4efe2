#pragma once
// USB arrival and removal, from udev and from the virtual HID bus. Each event
// carries an interface name spelt the way the original platform spells it,
//   \\?\USB#VID_0483&PID_572B#<serial>#{a5dcbf10-6530-11d2-901f-00c04fb951ed}
// so callers can look for "VID_0483" and "PID_572B" in it.

#include <functional>
#include <memory>
#include <string>

namespace platform {

enum class DeviceEventType {
    Arrival = 0x8000,
    RemoveComplete = 0x8004,
};

struct DeviceEvent {
    DeviceEventType type;
    std::string interfaceName;
};

// The interface name of a USB device with these ids.
std::string UsbInterfaceName(unsigned vendorId, unsigned productId, const std::string& serial);

// Watches in a thread of its own and calls the handler from that thread.
// Without a udev daemon the udev side simply reports nothing.
class DeviceMonitor {
public:
    using Handler = std::function<void(const DeviceEvent&)>;

    explicit DeviceMonitor(Handler handler);
    ~DeviceMonitor(); // stops the thread
    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    // Starts watching; false when neither source could be set up.
    bool Start();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
