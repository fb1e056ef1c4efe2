#pragma once
// The hidraw provider: real HID interfaces at /dev/hidraw<N>.

#include "platform/hid.h"

#include <string>
#include <vector>

namespace platform {

// /dev/hidraw<N> nodes, by number.
std::vector<std::string> ListHidrawNodes();

// The nodes with these ids (read from sysfs, no opening needed) that this
// user may not open; each also gets the standard-error line.
std::vector<std::string> ListDeniedHidrawNodes(uint16_t vendorId, uint16_t productId);

struct HidrawNode {
    int fd = -1;
    HidAttributes attributes;
    HidCaps caps;
    bool capsKnown = false; // the report descriptor was read and parsed
    bool usesReportIds = false;
};

// Opens a node for reading and writing (non-blocking; callers poll()) and
// reads its ids and report lengths. False when it does not open or is no
// hidraw node; a reader refused for lack of permission gets one line on
// standard error naming the node and the udev rule that grants access.
bool OpenHidrawNode(const std::string& node, HidrawNode* out);

} // namespace platform
