#pragma once
// The virtual HID bus: simulated HID devices as Unix SOCK_SEQPACKET sockets in
// one folder ($TXV_VHID_DIR). Each connection is one open interface; one
// message is one report, byte 0 the report id. Right after accepting, the
// device sends a hello of kVhidHelloSize bytes: vendor id, product id, input
// report length, output report length, each a little-endian uint16 (lengths
// include the report id byte). Removing the socket file unplugs the device.

#include "platform/hid.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

inline constexpr size_t kVhidHelloSize = 8;
inline constexpr const char* kVhidPrefix = "vhid:";

struct VhidHello {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
};

void EncodeVhidHello(const VhidHello& hello, uint8_t out[kVhidHelloSize]);
// False unless the message is exactly kVhidHelloSize bytes.
bool DecodeVhidHello(const uint8_t* message, size_t length, VhidHello* out);

// The bus folder: $TXV_VHID_DIR when it names a folder, else empty (bus off).
std::string VhidFolder();

// "vhid:<folder>/<name>".
std::string VhidPathText(const std::string& folder, const std::string& name);

// The socket file a "vhid:" path names: "<folder>/<name>"; empty for any
// other path.
std::string VhidSocketFile(const std::string& path);

// Device paths on the bus, sorted by socket name; empty when the bus is off.
std::vector<std::string> ListVhidPaths();

// Client side: connects to a "vhid:" path of the enabled bus and takes the
// hello. Returns the connected socket, or -1 when the device is not there,
// refuses the connection (held exclusively) or sends no valid hello in time.
int VhidConnect(const std::string& path, VhidHello* hello);

// Device side, for the stand-in reader and tests. Thread-safe: a background
// thread accepts clients and collects their output reports; any thread may
// send input reports or wait for output reports.
class VirtualHidDevice {
public:
    enum class Sharing {
        Shared,    // any number of clients, each gets every input report
        Exclusive, // refuses further clients while one is connected
    };

    // Binds <folder>/<name> (a stale socket of that name left by a dead device
    // is replaced) and starts serving. Null when the name is invalid, taken by
    // a live device, or the socket cannot be made.
    static std::unique_ptr<VirtualHidDevice> Create(const std::string& folder,
                                                    const std::string& name, uint16_t vendorId,
                                                    uint16_t productId, uint16_t inputReportLength,
                                                    uint16_t outputReportLength,
                                                    Sharing sharing = Sharing::Shared);

    // Unplugs.
    ~VirtualHidDevice();
    VirtualHidDevice(const VirtualHidDevice&) = delete;
    VirtualHidDevice& operator=(const VirtualHidDevice&) = delete;

    // The path text clients list and open: "vhid:<folder>/<name>".
    const std::string& path() const;
    const VhidHello& hello() const;

    // Waits up to timeoutMs for the next output report of any client (oldest
    // first). False on time-out, or at once when the device is unplugged and
    // no report is left.
    bool receiveOutputReport(std::vector<uint8_t>* report, uint32_t timeoutMs);

    // Sends one input report to every connected client; a report shorter than
    // the input report length is padded with zeros, a longer one is refused.
    // Waits at most timeoutMs for a client whose queue is full. Returns the
    // number of clients that got it.
    int sendInputReport(const uint8_t* report, size_t length, uint32_t timeoutMs = 1000);

    // Connected clients right now.
    int clientCount() const;

    // Removes the socket file and closes every connection: clients see the
    // interface gone. Also happens when someone else removes the file.
    // Idempotent; waiters in receiveOutputReport return at once.
    void unplug();

    bool plugged() const;

    struct Impl;

private:
    explicit VirtualHidDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
