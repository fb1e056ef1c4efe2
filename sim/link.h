#pragma once
// The line under a stand-in reader: a pseudo-terminal or a virtual HID
// device. Receive and Send run on different threads; Shutdown may be called
// from a third and makes both return promptly.

#include "sim/types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sim {

struct PtyOptions;
struct VirtualHidOptions;

class Link {
public:
    enum class Received {
        Stream, // bytes of a serial line
        Report, // the payload of one HID output report
        Idle,   // nothing within the time-out
        Closed, // shut down, or the line is gone
    };

    virtual ~Link() = default;
    virtual Received Receive(Bytes* data, uint32_t timeoutMs) = 0;
    // Sends the bytes in the line's own way (paced, or in reports); bytes of
    // a frame that is not ended yet may be held back until it is.
    virtual void Send(const Bytes& bytes, bool endsFrame) = 0;
    virtual void Shutdown() = 0;
};

// Null when the line cannot be set up.
std::unique_ptr<Link> OpenPtyLink(const PtyOptions& options, std::string* slavePath,
                                  std::string* linkPath);
std::unique_ptr<Link> OpenHidLink(const VirtualHidOptions& options, std::string* devicePath);

} // namespace sim
