#pragma once
// Report lengths of a HID interface from its report descriptor.

#include <cstddef>
#include <cstdint>

namespace platform {

struct HidReportSizes {
    // Largest report of each kind in bytes, report id byte included (a device
    // without report ids still gets one: its reports go out with id 0); 0 when
    // the interface has no report of that kind.
    int inputReportLength = 0;
    int outputReportLength = 0;
    bool usesReportIds = false;
};

// False for a malformed descriptor: an item running past the end, a report
// id of 0 or above 255, an unbalanced Pop, a Push deeper than the parser
// keeps, or a report larger than 65535 bytes.
bool ParseHidReportDescriptor(const uint8_t* descriptor, size_t length, HidReportSizes* out);

} // namespace platform
