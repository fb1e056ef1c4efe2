// Report descriptors come from the device: any bytes must parse or be
// refused, and what parses must give lengths the transport can trust.

#include "platform/hid_descriptor.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::HidReportSizes sizes;
    if (!platform::ParseHidReportDescriptor(data, size, &sizes))
        return 0;
    // A report is the id byte plus at least one byte of data, or absent.
    for (int length : {sizes.inputReportLength, sizes.outputReportLength})
        if (length < 0 || length == 1 || length > 65536)
            __builtin_trap();
    return 0;
}
