#pragma once
// One trace line of bytes: the prefix, "%02X " for each byte, then "\r\n".

#include <cstdint>

// Written from the start of text; cut at capacity, always terminated when
// capacity is above 0. Returns the number of characters written.
int HexLogLine(char* text, int capacity, const char* prefix, const uint8_t* bytes, int count);
