#pragma once
// Deadline arithmetic and a single-descriptor poll() shared by the serial
// port and the pseudo-terminal code.

#include <cstdint>
#include <poll.h>

namespace platform {

// Milliseconds left of a span of spanMs that began at tick start; 0 once it
// has passed. Wrap-safe like every tick comparison.
uint32_t MsLeft(uint32_t start, uint32_t spanMs);

// poll() on one descriptor, resumed after signals; the revents, 0 after the
// time-out, -1 on error.
int PollOne(int fd, short events, uint32_t timeoutMs);

// poll() with its time-out clamped to what poll() takes, resumed after
// signals; poll()'s result.
int PollFds(pollfd* fds, unsigned count, uint32_t timeoutMs);

} // namespace platform
