// STX reply handling on arbitrary bytes: the echo and status checks, the
// bounded data copy and both trace lines.

#include "reader/hex_log.h"
#include "reader/stx.h"
#include "reader/stx_reply.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const uint8_t kRequests[][6] = {
    {0x02, 0x02, '2', '0', 0x03, 0x01},
    {0x02, 0x02, '1', '0', 0x03, 0x02},
    {0x02, 0x02, '0', '3', 0x03, 0x00},
    {0x02, 0x4C, '5', 0x00, 0x03, 0x00}, // the head of an apply request
};

constexpr int kCapacities[] = {0, 1, 8, 75, 100, 200, 1024};

void Handle(const uint8_t* request, const std::vector<uint8_t>& reply, uint8_t selector) {
    const int length = static_cast<int>(reply.size());
    const int capacity = kCapacities[selector % (sizeof kCapacities / sizeof kCapacities[0])];
    std::vector<uint8_t> out(static_cast<size_t>(capacity));
    int count = 0;
    InterpretStxDataReply(request, reply.data(), length, out.data(), capacity, &count);

    std::vector<char> trace(static_cast<size_t>(capacity));
    HexLogLine(trace.data(), capacity, "RX: ", reply.data(), length);
    HexLogLine(trace.data(), capacity, "TX: ", request, 6);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const uint8_t selector = data[0];
    const uint8_t* request = kRequests[selector % 4];
    std::vector<uint8_t> reply(data + 1, data + size);
    Handle(request, reply, static_cast<uint8_t>(selector >> 2));

    // The same bytes as a well-formed frame that echoes the request.
    if (reply.size() >= 4 && reply.size() <= 259) {
        reply[0] = kStx;
        reply[1] = static_cast<uint8_t>(reply.size() - 4);
        reply[2] = request[2];
        reply[3] = request[3];
        Handle(request, reply, static_cast<uint8_t>(selector >> 2));
    }
    XorChecksum(reply.data(), static_cast<unsigned>(reply.size()));
    return 0;
}
