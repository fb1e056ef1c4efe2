#include "platform/pty.h"

#include "platform/clock.h"
#include "platform/poll_wait.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

Pty::~Pty() {
    Close();
}

bool Pty::Open() {
    Close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        return false;
    char name[128];
    termios tio{};
    bool ok = grantpt(m_master) == 0 && unlockpt(m_master) == 0 &&
              ptsname_r(m_master, name, sizeof name) == 0 && tcgetattr(m_master, &tio) == 0;
    if (ok) {
        // Settings made on the master apply to the slave: no echo, no line
        // editing, no character translation, before anyone opens the slave.
        cfmakeraw(&tio);
        ok = tcsetattr(m_master, TCSANOW, &tio) == 0;
    }
    if (ok) {
        m_slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        ok = m_slave >= 0;
    }
    if (!ok) {
        Close();
        return false;
    }
    m_slavePath = name;
    return true;
}

void Pty::Close() {
    if (m_slave >= 0)
        close(m_slave);
    if (m_master >= 0)
        close(m_master);
    m_slave = m_master = -1;
    m_slavePath.clear();
}

long Pty::Write(const uint8_t* data, size_t count, uint32_t timeoutMs) {
    return WriteWithin(m_master, data, count, timeoutMs);
}

long Pty::Read(uint8_t* buf, size_t count, uint32_t timeoutMs) {
    uint32_t start = TickCount();
    for (;;) {
        ssize_t n = read(m_master, buf, count);
        if (n >= 0)
            return long(n);
        if (errno != EAGAIN && errno != EINTR)
            return -1;
        uint32_t left = MsLeft(start, timeoutMs);
        if (left == 0)
            return 0;
        int revents = PollOne(m_master, POLLIN, left);
        if (revents < 0 || (revents & (POLLERR | POLLNVAL)))
            return -1;
    }
}

long Pty::ReadExact(uint8_t* buf, size_t count, uint32_t timeoutMs) {
    uint32_t start = TickCount();
    size_t got = 0;
    while (got < count) {
        uint32_t left = MsLeft(start, timeoutMs);
        if (left == 0)
            break;
        long n = Read(buf + got, count - got, left);
        if (n < 0)
            return -1;
        got += size_t(n);
    }
    return long(got);
}

} // namespace platform
