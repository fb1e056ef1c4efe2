#pragma once
// The serial reader's STX protocol: 02, LEN, command bytes, 03 and a check
// byte that is the XOR of the frame. Every command writes a trace of its
// request ("TX: ") and of its reply ("RX: ") into two caller texts, each cut
// at its capacity and always terminated.
//
// Command results: 0 when the reader accepted; the reader's error code (1 to
// 255) for a refusal that carries one; 3 for everything else, a bad argument
// included. Data that does not fit the caller's buffer gives 3 and nothing
// is copied.

#include "reader/types.h"

#include <cstdint>

inline constexpr int kRsParameterBlockSize = 75;

// XOR of the count bytes; 0 for none.
uint8_t XorChecksum(const uint8_t* data, unsigned count);

// One frame into buffer; *length = LEN + 4. Bytes after the frame stay queued.
int ComReadStxFrame(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs);

// One frame followed by at least two further bytes, which are read with it
// (as many as fit); *length = LEN + 4, the frame's size.
int ComReadStxFrameAll(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs);

// The version text into data (no terminator written, no count); on success
// the input queue is purged and the call sleeps 300 ms.
int RsGetVersion(DeviceHandle h, uint8_t* data, int capacity, int timeoutMs, char* requestTrace,
                 int requestTraceCapacity, char* replyTrace, int replyTraceCapacity);

// The parameter block into data and its length into *count.
int RsGetParameter(DeviceHandle h, uint8_t* data, int capacity, int* count, char* requestTrace,
                   int requestTraceCapacity, char* replyTrace, int replyTraceCapacity);

// Sends the kRsParameterBlockSize bytes of block.
int RsApplyOption(DeviceHandle h, const uint8_t* block, char* requestTrace,
                  int requestTraceCapacity, char* replyTrace, int replyTraceCapacity);

int RsRestoreDefault(DeviceHandle h, char* requestTrace, int requestTraceCapacity, char* replyTrace,
                     int replyTraceCapacity);
