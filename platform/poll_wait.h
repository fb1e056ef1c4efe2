#pragma once
// Deadline arithmetic and poll() resumed after signals, for every wait of
// the platform layer and the stand-in reader: all of them block in poll().

#include <cstddef>
#include <cstdint>
#include <poll.h>

namespace platform {

// Milliseconds left of a span of spanMs that began at tick start; 0 once it
// has passed. Wrap-safe like every tick comparison.
uint32_t MsLeft(uint32_t start, uint32_t spanMs);

// poll() with its time-out clamped to what poll() takes, resumed after
// signals for the time that is left; poll()'s result.
int PollFds(pollfd* fds, unsigned count, uint32_t timeoutMs);

// PollFds on one descriptor; its revents, 0 after the time-out, -1 on error.
int PollOne(int fd, short events, uint32_t timeoutMs);

// Writes count bytes to a non-blocking descriptor, waiting in poll() for
// room until timeoutMs has passed. The count written (fewer after the
// time-out), or -1 on an error or a hang-up.
long WriteWithin(int fd, const uint8_t* data, size_t count, uint32_t timeoutMs);

} // namespace platform
