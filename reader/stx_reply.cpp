#include "reader/stx_reply.h"

#include "reader/types.h"

#include <cstring>

namespace {
constexpr uint8_t kRefused = 'N';
constexpr int kStatusOffset = 4;
constexpr int kDataOffset = 5;
// Echo and status sit between LEN and ETX along with the data.
constexpr int kReplyOverhead = 3;
} // namespace

int InterpretStxReply(const uint8_t* request, const uint8_t* reply, int length,
                      const uint8_t** data, int* dataCount) {
    if (request == nullptr || reply == nullptr || length < 4 || reply[0] != kStx ||
        reply[1] + 4 != length)
        return ReaderFailed;
    if (reply[2] != request[2] || reply[3] != request[3])
        return ReaderFailed;
    // Offsets past the frame read as 0, as in a zeroed reply buffer.
    auto at = [reply, length](int offset) -> uint8_t {
        return offset < length ? reply[offset] : 0;
    };
    if (at(kStatusOffset) == kRefused) {
        const uint8_t code = at(kDataOffset);
        return code != 0 ? int{code} : int{ReaderFailed};
    }
    if (reply[1] < kReplyOverhead)
        return ReaderFailed;
    *data = reply + kDataOffset;
    *dataCount = reply[1] - kReplyOverhead;
    return ReaderOk;
}

int InterpretStxDataReply(const uint8_t* request, const uint8_t* reply, int length, uint8_t* out,
                          int capacity, int* count) {
    const uint8_t* data = nullptr;
    int dataCount = 0;
    const int result = InterpretStxReply(request, reply, length, &data, &dataCount);
    if (result != ReaderOk)
        return result;
    if (dataCount > capacity || (dataCount > 0 && out == nullptr))
        return ReaderFailed;
    if (dataCount > 0)
        std::memcpy(out, data, static_cast<size_t>(dataCount));
    if (count != nullptr)
        *count = dataCount;
    return ReaderOk;
}
