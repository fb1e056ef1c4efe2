#pragma once
// Process-wide table of open devices. A handle names either a HID interface
// or a serial port; the reading thread and the UI thread share handles, so
// every access goes through the table's lock and a shared reference keeps the
// device alive for an operation that is running while another thread closes it.

#include <cstdint>
#include <memory>

namespace platform {

using DeviceHandle = long;
inline constexpr DeviceHandle kInvalidHandle = -1;

// "No device" as the callers test it.
inline bool IsNoDevice(DeviceHandle h) {
    return h == 0 || h == kInvalidHandle;
}

// Base of every open device. Each carries an eventfd that idle waits put
// beside the device's own descriptor in poll().
class OpenDevice {
public:
    OpenDevice();
    virtual ~OpenDevice();
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;

    int wakeFd() const { return m_wakeFd; }

private:
    int m_wakeFd;
};

// Takes ownership; never returns 0 or -1.
DeviceHandle RegisterDevice(std::shared_ptr<OpenDevice> device);

// The device behind a handle, or null when the handle is unknown.
std::shared_ptr<OpenDevice> LookupDevice(DeviceHandle h);

template <typename T> std::shared_ptr<T> LookupDeviceAs(DeviceHandle h) {
    return std::dynamic_pointer_cast<T>(LookupDevice(h));
}

// Closes a HID interface or a serial port; false for an unknown handle.
bool CloseDeviceHandle(DeviceHandle h);

// An idle wait (the first report of a HID frame, the pause between serial
// polls) on this handle returns at once from now until ClearIdleWake: this is
// how a stop wakes the reading thread without waiting out its time-out.
void WakeIdleWaits(DeviceHandle h);
void ClearIdleWake(DeviceHandle h);
// True from WakeIdleWaits until ClearIdleWake: a stop was asked for.
bool IdleWakeSet(DeviceHandle h);

// An idle pause: sleeps ms in poll() on the handle's wake, so it ends early
// once WakeIdleWaits was called. Without the device it sleeps the whole time.
// True when it ended by the wake.
bool PauseUnlessWoken(DeviceHandle h, uint32_t ms);

} // namespace platform
