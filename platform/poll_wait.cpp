#include "platform/poll_wait.h"

#include "platform/clock.h"

#include <cerrno>
#include <climits>
#include <unistd.h>

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

long WriteWithin(int fd, const uint8_t* data, size_t count, uint32_t timeoutMs) {
    uint32_t start = TickCount();
    size_t done = 0;
    while (done < count) {
        ssize_t n = write(fd, data + done, count - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        uint32_t left = MsLeft(start, timeoutMs);
        if (left == 0)
            break;
        int revents = PollOne(fd, POLLOUT, left);
        if (revents < 0 || (revents & (POLLERR | POLLHUP | POLLNVAL)))
            return -1;
    }
    return long(done);
}

} // namespace platform
