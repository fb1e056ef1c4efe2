#include "reader/reply_frame.h"

#include "reader/types.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kHeaderLength = 4; // LEN (2), type, status
constexpr uint8_t kAccepted = 'Y';
} // namespace

int AcceptedReplyData(const uint8_t* frame, int count, const uint8_t** data, int* dataCount) {
    if (frame == nullptr || count < kHeaderLength)
        return ReaderFailed;
    const int announced = (frame[0] << 8 | frame[1]) + 2;
    if (announced != count || frame[3] != kAccepted)
        return ReaderFailed;
    *data = frame + kHeaderLength;
    *dataCount = count - kHeaderLength;
    return ReaderOk;
}

int InterpretStatusReply(const uint8_t* frame, int count) {
    const uint8_t* data = nullptr;
    int dataCount = 0;
    return AcceptedReplyData(frame, count, &data, &dataCount);
}

int InterpretDataReply(const uint8_t* frame, int count, uint8_t* out, int capacity, int* outCount) {
    const uint8_t* data = nullptr;
    int dataCount = 0;
    if (AcceptedReplyData(frame, count, &data, &dataCount) != ReaderOk)
        return ReaderFailed;
    if (dataCount > capacity || (dataCount > 0 && out == nullptr))
        return ReaderFailed;
    if (dataCount > 0)
        std::memcpy(out, data, static_cast<size_t>(dataCount));
    if (outCount != nullptr)
        *outCount = dataCount;
    return ReaderOk;
}

int InterpretDeviceIdReply(const uint8_t* frame, int count, uint8_t* idHigh, uint8_t* idLow) {
    const uint8_t* data = nullptr;
    int dataCount = 0;
    if (AcceptedReplyData(frame, count, &data, &dataCount) != ReaderOk)
        return ReaderFailed;
    *idHigh = dataCount > 0 ? data[0] : 0;
    *idLow = dataCount > 1 ? data[1] : 0;
    return ReaderOk;
}

int InterpretIButtonParameterReply(const uint8_t* frame, int count, uint8_t* block) {
    const uint8_t* data = nullptr;
    int dataCount = 0;
    if (AcceptedReplyData(frame, count, &data, &dataCount) != ReaderOk)
        return ReaderFailed;
    const int used = std::min(dataCount, kIButtonParameterBlockSize);
    std::memset(block, 0, kIButtonParameterBlockSize);
    if (used > 0)
        std::memcpy(block, data, static_cast<size_t>(used));
    return ReaderOk;
}
