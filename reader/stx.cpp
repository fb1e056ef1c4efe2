// The serial reader's four commands.

#include "reader/stx.h"

#include "platform/clock.h"
#include "platform/serial.h"
#include "reader/com_transport.h"
#include "reader/hex_log.h"
#include "reader/stx_reply.h"

#include <cstring>

namespace {

constexpr int kReplyBufferSize = 1024;
constexpr int kReplyTimeoutMs = 2000;
constexpr uint32_t kAfterVersionMs = 300;

constexpr uint8_t kVersionRequest[] = {kStx, 0x02, '2', '0', kEtx, 0x01};
constexpr uint8_t kParameterRequest[] = {kStx, 0x02, '1', '0', kEtx, 0x02};
constexpr uint8_t kRestoreRequest[] = {kStx, 0x02, '0', '3', kEtx, 0x00};

enum class FrameReader { Frame, FrameWithTail };

struct Traces {
    char* request;
    int requestCapacity;
    char* reply;
    int replyCapacity;

    bool Present() const { return request != nullptr && reply != nullptr; }
};

using ReplyBuffer = uint8_t[kReplyBufferSize];

// Purge, write, trace the request, read the reply and trace it; 0 with the
// reply's size in *length.
int Transfer(DeviceHandle h, const uint8_t* request, int requestLength, FrameReader reader,
             int timeoutMs, const Traces& traces, ReplyBuffer& reply, int* length) {
    platform::SerialPurge(h, true, true);
    if (ComWrite(h, request, requestLength) != ReaderOk)
        return ReaderFailed;
    HexLogLine(traces.request, traces.requestCapacity, "TX: ", request, requestLength);

    std::memset(reply, 0, sizeof reply);
    const int read = reader == FrameReader::Frame
                         ? ComReadStxFrame(h, reply, sizeof reply, length, timeoutMs)
                         : ComReadStxFrameAll(h, reply, sizeof reply, length, timeoutMs);
    if (read != ReaderOk)
        return ReaderFailed;
    HexLogLine(traces.reply, traces.replyCapacity, "RX: ", reply, *length);
    return ReaderOk;
}

// The commands whose reply carries no data that is handed back.
int ExchangeWithoutData(DeviceHandle h, const uint8_t* request, int requestLength,
                        const Traces& traces) {
    ReplyBuffer reply;
    int length = 0;
    const int result = Transfer(h, request, requestLength, FrameReader::Frame, kReplyTimeoutMs,
                                traces, reply, &length);
    if (result != ReaderOk)
        return result;
    const uint8_t* data = nullptr;
    int dataCount = 0;
    return InterpretStxReply(request, reply, length, &data, &dataCount);
}

} // namespace

int RsGetVersion(DeviceHandle h, uint8_t* data, int capacity, int timeoutMs, char* requestTrace,
                 int requestTraceCapacity, char* replyTrace, int replyTraceCapacity) {
    const Traces traces{requestTrace, requestTraceCapacity, replyTrace, replyTraceCapacity};
    if (IsNoDevice(h) || data == nullptr || !traces.Present())
        return ReaderFailed;
    ReplyBuffer reply;
    int length = 0;
    int result = Transfer(h, kVersionRequest, sizeof kVersionRequest, FrameReader::FrameWithTail,
                          timeoutMs, traces, reply, &length);
    if (result == ReaderOk)
        result = InterpretStxDataReply(kVersionRequest, reply, length, data, capacity, nullptr);
    if (result != ReaderOk)
        return result;
    // The reader sends more than the frame; drop it before the next command.
    platform::SerialPurge(h, true, false);
    platform::SleepMs(kAfterVersionMs);
    return ReaderOk;
}

int RsGetParameter(DeviceHandle h, uint8_t* data, int capacity, int* count, char* requestTrace,
                   int requestTraceCapacity, char* replyTrace, int replyTraceCapacity) {
    const Traces traces{requestTrace, requestTraceCapacity, replyTrace, replyTraceCapacity};
    if (IsNoDevice(h) || data == nullptr || count == nullptr || !traces.Present())
        return ReaderFailed;
    ReplyBuffer reply;
    int length = 0;
    const int result = Transfer(h, kParameterRequest, sizeof kParameterRequest, FrameReader::Frame,
                                kReplyTimeoutMs, traces, reply, &length);
    if (result != ReaderOk)
        return result;
    return InterpretStxDataReply(kParameterRequest, reply, length, data, capacity, count);
}

int RsApplyOption(DeviceHandle h, const uint8_t* block, char* requestTrace,
                  int requestTraceCapacity, char* replyTrace, int replyTraceCapacity) {
    const Traces traces{requestTrace, requestTraceCapacity, replyTrace, replyTraceCapacity};
    if (IsNoDevice(h) || block == nullptr || !traces.Present())
        return ReaderFailed;
    constexpr int kRequestLength = kRsParameterBlockSize + 5;
    uint8_t request[kRequestLength] = {kStx, kRsParameterBlockSize + 1, '5'};
    std::memcpy(request + 3, block, kRsParameterBlockSize);
    request[kRequestLength - 2] = kEtx;
    request[kRequestLength - 1] = XorChecksum(request, kRequestLength - 1);
    return ExchangeWithoutData(h, request, kRequestLength, traces);
}

int RsRestoreDefault(DeviceHandle h, char* requestTrace, int requestTraceCapacity, char* replyTrace,
                     int replyTraceCapacity) {
    const Traces traces{requestTrace, requestTraceCapacity, replyTrace, replyTraceCapacity};
    if (IsNoDevice(h) || !traces.Present())
        return ReaderFailed;
    return ExchangeWithoutData(h, kRestoreRequest, sizeof kRestoreRequest, traces);
}
