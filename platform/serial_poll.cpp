#include "platform/serial_poll.h"

#include "platform/clock.h"

#include <cerrno>
#include <climits>
#include <poll.h>

namespace platform {

uint32_t MsLeft(uint32_t start, uint32_t spanMs) {
    uint32_t elapsed = TickCount() - start;
    return elapsed >= spanMs ? 0 : spanMs - elapsed;
}

int PollFds(pollfd* fds, unsigned count, uint32_t timeoutMs) {
    uint32_t start = TickCount();
    for (;;) {
        uint32_t left = MsLeft(start, timeoutMs);
        int r = poll(fds, count, left > INT_MAX ? INT_MAX : int(left));
        if (r >= 0 || errno != EINTR)
            return r;
    }
}

int PollOne(int fd, short events, uint32_t timeoutMs) {
    pollfd p{fd, events, 0};
    int r = PollFds(&p, 1, timeoutMs);
    return r > 0 ? p.revents : r;
}

} // namespace platform
