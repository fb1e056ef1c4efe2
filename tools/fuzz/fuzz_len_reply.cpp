// Every command's interpretation of a reply frame, on arbitrary bytes: once
// as received, once with LEN made to match so the data paths are reached.

#include "reader/reply_frame.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The sizes of the commands' reply buffers and of their callers' buffers.
constexpr int kCapacities[] = {0, 9, 26, 46, 54, 124, 128, 200, 256};

void Interpret(const uint8_t* frame, int count, uint8_t selector) {
    InterpretStatusReply(frame, count);

    const int capacity = kCapacities[selector % (sizeof kCapacities / sizeof kCapacities[0])];
    std::vector<uint8_t> out(static_cast<size_t>(capacity));
    int outCount = 0;
    InterpretDataReply(frame, count, out.data(), capacity, &outCount);
    InterpretDataReply(frame, count, out.data(), capacity, nullptr);

    uint8_t high = 0;
    uint8_t low = 0;
    InterpretDeviceIdReply(frame, count, &high, &low);

    std::vector<uint8_t> block(kIButtonParameterBlockSize);
    InterpretIButtonParameterReply(frame, count, block.data());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const uint8_t selector = data[0];
    // Exact-size copies, so a read past the frame is caught.
    std::vector<uint8_t> frame(data + 1, data + size);
    const int count = static_cast<int>(frame.size());
    Interpret(frame.data(), count, selector);

    if (count >= 2) {
        const int len = count - 2;
        frame[0] = static_cast<uint8_t>(len >> 8);
        frame[1] = static_cast<uint8_t>(len & 0xFF);
        Interpret(frame.data(), count, selector);
    }
    return 0;
}
