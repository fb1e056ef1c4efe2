#pragma once
// What a received reply frame of the length-prefixed protocol says, as pure
// functions of its bytes: count is the number of bytes received. A frame is
// accepted when it holds at least LEN, type and status, its LEN field matches
// count, and the status is 'Y'; anything else is ReaderFailed. No output is
// written unless the result is ReaderOk.

#include <cstdint>

inline constexpr int kIButtonParameterBlockSize = 54;

// The data of an accepted frame: *data points into frame, *dataCount is its
// length (count less 4).
int AcceptedReplyData(const uint8_t* frame, int count, const uint8_t** data, int* dataCount);

// Commands that hand back nothing.
int InterpretStatusReply(const uint8_t* frame, int count);

// The data bytes into out; ReaderFailed when they exceed capacity. outCount
// may be null.
int InterpretDataReply(const uint8_t* frame, int count, uint8_t* out, int capacity, int* outCount);

// Data bytes 0 and 1; a byte the frame does not carry reads 0.
int InterpretDeviceIdReply(const uint8_t* frame, int count, uint8_t* idHigh, uint8_t* idLow);

// The first kIButtonParameterBlockSize data bytes into block, zeros where the
// frame is shorter; further data is ignored.
int InterpretIButtonParameterReply(const uint8_t* frame, int count, uint8_t* block);
