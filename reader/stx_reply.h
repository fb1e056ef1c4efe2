#pragma once
// How an STX reply frame answers its request, as a pure function of the
// bytes: the frame must start with STX, its LEN must match length, and it
// must echo request bytes 2 and 3.

#include <cstdint>

inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEtx = 0x03;

// 0 with *data pointing at the reply's data (offset 5) and *dataCount = LEN - 3;
// the reader's error code for a refusal that carries one; 3 otherwise. The
// request holds at least 4 bytes; length is the reply's size (LEN + 4).
int InterpretStxReply(const uint8_t* request, const uint8_t* reply, int length,
                      const uint8_t** data, int* dataCount);

// InterpretStxReply, then the data into out: 3 when it exceeds capacity, and
// nothing is written unless the result is 0. count may be null.
int InterpretStxDataReply(const uint8_t* request, const uint8_t* reply, int length, uint8_t* out,
                          int capacity, int* count);
