#pragma once
// HID interfaces: real ones through hidraw, simulated ones on the virtual HID
// bus (vhid.h). Paths are texts: "/dev/hidraw3" or "vhid:<folder>/<name>".
// Report byte 0 is always the report id on both sides of this layer.

#include "platform/handle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

struct HidCaps {
    int inputReportLength = 0;  // bytes, report id byte included
    int outputReportLength = 0; // bytes, report id byte included
};

// Every present interface, hidraw first (by number), then the virtual bus
// (by name); no path twice.
std::vector<std::string> ListHidPaths();

// The interfaces with these ids that exist but are closed to this user for
// lack of permission; listing leaves them out like any interface that does
// not open, so a caller that finds nothing can tell the operator why.
std::vector<std::string> ListDeniedHidPaths(uint16_t vendorId, uint16_t productId);

// Opens an interface for reading and writing; kInvalidHandle when it does not
// open. An interface that exists but is refused for lack of permission gets
// one line on standard error naming the node and the udev rule to install.
DeviceHandle OpenHidPath(const std::string& path);

// False once the device behind an open interface is gone: it hung up, or
// its node or socket is no longer there or is another device's. Takes no
// report, so the reading thread may be reading meanwhile. False for a handle
// that is no HID interface.
bool HidInterfacePresent(DeviceHandle h);

bool HidGetAttributes(DeviceHandle h, HidAttributes* out);
bool HidGetCaps(DeviceHandle h, HidCaps* out);

enum class HidIo {
    Ok,
    TimedOut,
    Gone,   // the interface went away (unplugged): reported at once
    Woken,  // an idle wait was woken (WakeIdleWaits)
    Failed, // not a HID handle, or any other error
};

// Writes one whole report (byte 0 = report id).
HidIo HidWriteReport(DeviceHandle h, const uint8_t* report, size_t length, uint32_t timeoutMs);

// Reads one whole report into buf (byte 0 = report id); *got is its length,
// cut at capacity. With wakeable, WakeIdleWaits on the handle ends the wait.
HidIo HidReadReport(DeviceHandle h, uint8_t* buf, size_t capacity, size_t* got, uint32_t timeoutMs,
                    bool wakeable = false);

} // namespace platform
