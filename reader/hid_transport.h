#pragma once
// The length-prefixed frame over HID reports. Every operation that writes
// into a caller's buffer is given its capacity and never writes past it.

#include "reader/types.h"

#include <cstdint>
#include <optional>

// One request/reply exchange: the request as output reports, then the whole
// reply frame (LEN+2 bytes) into reply. The time-out bounds each report.
int HidTransceive(DeviceHandle h, const uint8_t* request, int requestLength, uint8_t* reply,
                  int replyCapacity, int* replyCount, int timeoutMs);

// The bytes as output reports, nothing read back.
int HidWriteReports(DeviceHandle h, const uint8_t* data, int length);

// Everything that arrives until no report comes for 1000 ms or the reader is
// unplugged, report padding included; collection stops at the buffer's end.
// A reader unplugged before its first report fails the read.
int HidReadAll(DeviceHandle h, uint8_t* buffer, int capacity, int* count);

// A stop of the reading thread as its frame reads see it. From the tick at
// which it was first seen (the stop's wake ended a wait or was found set, or
// the caller found its run flag clear), the reports that the reader already
// sent are read as they come, without the 50 ms pauses: the frame at hand
// to its end, then each frame whose first report is already waiting. The
// take is finished when no report waits at a frame's start, after 100 ms
// without a report inside a frame, or 2000 ms after the stop was seen.
struct ReadingThreadStop {
    std::optional<uint32_t> seenAt;
    bool finished = false;
};

// A stop takes what the reader already sent up to this long after it was
// seen: long enough for a finite frame from a slow endpoint (one 9-byte
// report every 10 ms, 1.4 s), well inside the stop's 6000 ms wait.
inline constexpr uint32_t kStopTakeLimitMs = 2000;

// One frame that the reader sends by itself (reading thread, HID only). The
// wait for each report is ended by the handle's idle wake; stop carries what
// was seen of a stop from one read to the next (without one, a stop seen is
// this read's own).
int ReadResponseFrame(DeviceHandle h, int mode, uint8_t* buffer, int capacity, int* count,
                      ReadingThreadStop* stop = nullptr);

// Paths of the present interfaces with these ids.
HidPathList FindHidDevices(int productId, int vendorId);
