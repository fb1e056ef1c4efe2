#pragma once
#include <cstdint>

namespace platform {

// Milliseconds of a monotonic clock, wrapping at 2^32 like a 32-bit tick
// count; compare two ticks only through their unsigned difference.
uint32_t TickCount();

void SleepMs(uint32_t ms);

} // namespace platform
