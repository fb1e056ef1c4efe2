// The STX frame readers and the check byte.

#include "reader/com_transport.h"
#include "reader/stx.h"
#include "reader/stx_reply.h"

#include <algorithm>

namespace {

constexpr int kFrameOverhead = 4; // STX, LEN, ETX, check byte

uint32_t StageTimeout(int timeoutMs) {
    return static_cast<uint32_t>(std::max(timeoutMs, 0));
}

// Stage 1: STX and LEN. ReaderOk with LEN in *len once the whole frame is
// known to fit the buffer.
int ReadStxHead(DeviceHandle h, uint8_t* buffer, int capacity, int timeoutMs, int* len) {
    if (IsNoDevice(h) || buffer == nullptr || capacity < kFrameOverhead)
        return ReaderFailed;
    if (ComWaitStage(h, 2, StageTimeout(timeoutMs), nullptr) != ReaderOk)
        return ReaderFailed;
    if (ComReadExact(h, buffer, 2) != ReaderOk || buffer[0] != kStx)
        return ReaderFailed;
    *len = buffer[1];
    return *len + kFrameOverhead <= capacity ? ReaderOk : ReaderFailed;
}

} // namespace

uint8_t XorChecksum(const uint8_t* data, unsigned count) {
    uint8_t check = 0;
    for (unsigned i = 0; i < count; ++i)
        check ^= data[i];
    return check;
}

int ComReadStxFrame(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs) {
    int len = 0;
    if (length == nullptr || ReadStxHead(h, buffer, capacity, timeoutMs, &len) != ReaderOk)
        return ReaderFailed;
    const int rest = len + 2;
    if (ComWaitStage(h, rest, StageTimeout(timeoutMs), nullptr) != ReaderOk ||
        ComReadExact(h, buffer + 2, rest) != ReaderOk)
        return ReaderFailed;
    *length = len + kFrameOverhead;
    return ReaderOk;
}

int ComReadStxFrameAll(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs) {
    int len = 0;
    if (length == nullptr || ReadStxHead(h, buffer, capacity, timeoutMs, &len) != ReaderOk)
        return ReaderFailed;
    // The rest of the frame and two bytes more; everything queued is taken,
    // as far as the buffer reaches.
    const int rest = len + 2;
    int queued = 0;
    if (ComWaitStage(h, rest + 2, StageTimeout(timeoutMs), &queued) != ReaderOk)
        return ReaderFailed;
    const int take = std::min(queued, capacity - 2);
    if (take < rest || ComReadExact(h, buffer + 2, take) != ReaderOk)
        return ReaderFailed;
    *length = len + kFrameOverhead;
    return ReaderOk;
}
