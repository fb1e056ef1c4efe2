#pragma once
// What a mocked hidraw node answers to the ioctls the HID layer asks:
// HIDIOCGRAWINFO (bus and ids), HIDIOCGRDESCSIZE and HIDIOCGRDESC (the report
// descriptor). Everything else fails as on a node that does not know it.

#include "tests/umockdev/hidraw_testbed.h"

namespace umockdev_test {

// A new handler for node, which must outlive it; the caller owns one reference.
_UMockdevIoctlBase* NewHidrawIoctlHandler(const MockNode& node);

} // namespace umockdev_test
