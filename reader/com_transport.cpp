#include "reader/com_transport.h"

#include "platform/clock.h"
#include "platform/port_map.h"
#include "platform/serial.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

uint32_t g_nComTimeoutMs = 0;
uint32_t g_dwComStartTick = 0;

namespace {

constexpr int kSearchBaud = 9600;
// Room of a comN name's texts, terminator excluded.
constexpr size_t kMaxPortDigits = 9;
constexpr size_t kMaxPortPath = 19;
constexpr const char* kDevicePrefix = "\\\\.\\";
constexpr uint32_t kCollectMs = 1000;
constexpr size_t kReadOffChunk = 64;

bool IsAcceptedBaud(int baud) {
    return baud == 4800 || baud == 9600 || baud == 19200 || baud == 38400 || baud == 115200;
}

// The path a port name opens under. A comN name is the name itself, or with
// the device prefix once its digits read 10 or more; false when the digits or
// the path would not fit their room. Any other name is a path of this system
// and opens as given, up to the system's own path limit.
bool PortPath(const char* name, std::string* path) {
    if (!platform::IsComPortName(name)) {
        *path = name;
        return true;
    }
    std::string digits;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            continue;
        if (digits.size() == kMaxPortDigits)
            return false;
        digits += *c;
    }
    *path = std::atoi(digits.c_str()) > 9 ? kDevicePrefix + std::string(name) : std::string(name);
    return path->size() <= kMaxPortPath;
}

// Reads off and drops up to len bytes of a frame that was refused, within
// the time-out, so that the reader's next frame stays queued whole. Reads
// go through a small buffer: the length field alone bounds nothing here.
void ReadOffRefusedFrame(DeviceHandle h, int len, uint32_t timeoutMs) {
    g_nComTimeoutMs = timeoutMs;
    g_dwComStartTick = platform::TickCount();
    std::array<uint8_t, kReadOffChunk> scratch{};
    while (len > 0) {
        const uint32_t elapsed = platform::TickCount() - g_dwComStartTick;
        if (elapsed >= g_nComTimeoutMs)
            return;
        // No byte in time, or the line is gone.
        const int queued = platform::SerialWaitQueued(h, 1, g_nComTimeoutMs - elapsed);
        if (queued <= 0)
            return;
        const size_t want = std::min({size_t(queued), size_t(len), scratch.size()});
        const long got = platform::SerialRead(h, scratch.data(), want);
        if (got <= 0)
            return;
        len -= int(got);
    }
}

} // namespace

DeviceHandle OpenComPort(const char* name) {
    return OpenComPortBaud(name, kSearchBaud);
}

DeviceHandle OpenComPortBaud(const char* name, int baud) {
    std::string path;
    if (!IsAcceptedBaud(baud) || !name || !PortPath(name, &path))
        return platform::kInvalidHandle;
    return platform::OpenSerialPort(path, baud);
}

int ComWrite(DeviceHandle h, const uint8_t* data, int count) {
    if (count < 0)
        return ReaderFailed;
    return platform::SerialWrite(h, data, size_t(count)) == count ? ReaderOk : ReaderFailed;
}

int ComReadExact(DeviceHandle h, uint8_t* buffer, int count) {
    if (count < 0)
        return ReaderFailed;
    return platform::SerialRead(h, buffer, size_t(count)) == count ? ReaderOk : ReaderFailed;
}

int ComWaitStage(DeviceHandle h, int minBytes, uint32_t timeoutMs, int* queued) {
    g_nComTimeoutMs = timeoutMs;
    g_dwComStartTick = platform::TickCount();
    int seen = platform::SerialWaitQueued(h, minBytes, timeoutMs);
    if (queued)
        *queued = seen;
    // A stage that saw its bytes only after the time-out still fails.
    uint32_t elapsed = platform::TickCount() - g_dwComStartTick;
    return seen >= minBytes && elapsed <= g_nComTimeoutMs ? ReaderOk : ReaderFailed;
}

int ComReadLenFrame(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs) {
    if (timeoutMs <= 0 || !buffer || !length || capacity < 2)
        return ReaderFailed;
    if (ComWaitStage(h, 2, uint32_t(timeoutMs), nullptr) != ReaderOk ||
        ComReadExact(h, buffer, 2) != ReaderOk)
        return ReaderFailed;
    int len = buffer[0] * 256 + buffer[1];
    // The length field is the reader's word only; the room is the caller's.
    if (len > capacity - 2) {
        ReadOffRefusedFrame(h, len, uint32_t(timeoutMs));
        return ReaderFailed;
    }
    if (ComWaitStage(h, len, uint32_t(timeoutMs), nullptr) != ReaderOk)
        return ReaderFailed;
    // Anything beyond the frame is the start of another one or noise; what
    // follows the frame is left for the reading thread.
    if (platform::SerialBytesQueued(h) != len) {
        ReadOffRefusedFrame(h, len, uint32_t(timeoutMs));
        return ReaderFailed;
    }
    if (ComReadExact(h, buffer + 2, len) != ReaderOk)
        return ReaderFailed;
    *length = len + 2;
    return ReaderOk;
}

int ComTransceive(DeviceHandle h, const uint8_t* request, int requestLength, uint8_t* reply,
                  int replyCapacity, int* replyLength, int timeoutMs) {
    if (IsNoDevice(h))
        return ReaderBadArgument;
    platform::SerialPurge(h, true, true);
    if (int written = ComWrite(h, request, requestLength); written != ReaderOk)
        return written;
    if (ComReadLenFrame(h, reply, replyCapacity, replyLength, timeoutMs) != ReaderOk)
        return ReaderFailed;
    return ReaderOk;
}

int ComReadForSecond(DeviceHandle h, uint8_t* buffer, int capacity, int* count) {
    if (IsNoDevice(h) || !buffer || !count)
        return ReaderBadArgument;
    uint32_t start = platform::TickCount();
    int collected = 0;
    // Reads go on while less than a second has passed, each with its own
    // time-out (a one-byte read waits 800 ms on a quiet line), so an answer
    // that starts late in the second is still taken. Bytes already queued
    // come in one read.
    while (collected < capacity) {
        int want = std::clamp(platform::SerialBytesQueued(h), 1, capacity - collected);
        long got = platform::SerialRead(h, buffer + collected, size_t(want));
        // Not a port, or the line is gone: nothing more will come. Gone
        // before the first byte, there is no answer at all.
        if (got < 0) {
            *count = collected;
            return collected > 0 ? ReaderOk : ReaderFailed;
        }
        collected += int(got);
        if (platform::TickCount() - start >= kCollectMs) {
            // The bytes that came with a late one belong to the same answer.
            int queued = std::min(platform::SerialBytesQueued(h), capacity - collected);
            if (got > 0 && queued > 0)
                collected +=
                    int(std::max(0L, platform::SerialRead(h, buffer + collected, size_t(queued))));
            break;
        }
    }
    *count = collected;
    return ReaderOk;
}
