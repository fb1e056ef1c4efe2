#pragma once
// The length-prefixed frame over HID reports. Every operation that writes
// into a caller's buffer is given its capacity and never writes past it.

#include "reader/types.h"

#include <cstdint>

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

// One frame that the reader sends by itself (reading thread, HID only).
int ReadResponseFrame(DeviceHandle h, int mode, uint8_t* buffer, int capacity, int* count);

// Paths of the present interfaces with these ids.
HidPathList FindHidDevices(int productId, int vendorId);
