#include "platform/serial_port.h"

#include "platform/clock.h"
#include "platform/poll_wait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr uint32_t kReadPerByteMs = 400;
constexpr uint32_t kReadConstantMs = 400;
constexpr uint32_t kReadIntervalMs = 2000;
constexpr uint32_t kWritePerByteMs = 40;
constexpr uint32_t kWriteConstantMs = 400;
// With the pending buffer full the descriptor stays readable, so the queue
// is re-tested at this pace instead.
constexpr uint32_t kFullRecheckMs = 10;

uint32_t SpanMs(size_t count, uint32_t perByteMs, uint32_t constantMs) {
    uint64_t span = uint64_t(count) * perByteMs + constantMs;
    return span > UINT32_MAX ? UINT32_MAX : uint32_t(span);
}

// A read that found nothing yet or was interrupted, as opposed to a line
// that failed or hung up.
bool NothingYet(ssize_t n) {
    return n < 0 && (errno == EAGAIN || errno == EINTR);
}

} // namespace

SerialPort::~SerialPort() {
    // Exclusive mode and the line settings outlive this descriptor while
    // another one keeps the terminal open: leave both as they were found.
    ioctl(m_fd, TIOCNXCL);
    tcsetattr(m_fd, TCSANOW, &m_found);
    close(m_fd);
}

bool SerialPort::FillPending() {
    while (m_pendingLen < m_pending.size()) {
        ssize_t n = read(m_fd, m_pending.data() + m_pendingLen, m_pending.size() - m_pendingLen);
        if (n > 0) {
            m_pendingLen += size_t(n);
            continue;
        }
        if (!NothingYet(n))
            return false;
        if (errno == EAGAIN)
            break;
    }
    return true;
}

int SerialPort::QueuedLocked() {
    int inDriver = 0;
    if (ioctl(m_fd, TIOCINQ, &inDriver) != 0 || inDriver < 0)
        inDriver = 0;
    return int(m_pendingLen) + inDriver;
}

size_t SerialPort::TakePending(uint8_t* buf, size_t count) {
    size_t n = std::min(count, m_pendingLen);
    // A read of nothing may come without a buffer.
    if (n == 0)
        return 0;
    std::memcpy(buf, m_pending.data(), n);
    std::memmove(m_pending.data(), m_pending.data() + n, m_pendingLen - n);
    m_pendingLen -= n;
    return n;
}

long SerialPort::Write(const uint8_t* data, size_t count) {
    std::lock_guard guard(m_lock);
    return WriteWithin(m_fd, data, count, SpanMs(count, kWritePerByteMs, kWriteConstantMs));
}

long SerialPort::Read(uint8_t* buf, size_t count) {
    std::lock_guard guard(m_lock);
    size_t got = TakePending(buf, count);
    uint32_t start = TickCount();
    uint32_t span = SpanMs(count, kReadPerByteMs, kReadConstantMs);
    uint32_t lastByte = start;
    while (got < count) {
        ssize_t n = read(m_fd, buf + got, count - got);
        if (n > 0) {
            got += size_t(n);
            lastByte = TickCount();
            continue;
        }
        // With at least one byte wanted a terminal read gives 0 only after
        // a hang-up.
        if (!NothingYet(n))
            return -1;
        uint32_t left = MsLeft(start, span);
        if (got > 0)
            left = std::min(left, MsLeft(lastByte, kReadIntervalMs));
        if (left == 0)
            break;
        if (PollOne(m_fd, POLLIN, left) < 0)
            return -1;
    }
    return long(got);
}

int SerialPort::BytesQueued() {
    std::lock_guard guard(m_lock);
    return QueuedLocked();
}

int SerialPort::WaitQueued(int minBytes, uint32_t timeoutMs) {
    std::lock_guard guard(m_lock);
    uint32_t start = TickCount();
    for (;;) {
        bool lineUp = FillPending();
        int queued = QueuedLocked();
        uint32_t left = MsLeft(start, timeoutMs);
        // A line that is gone brings nothing more: no use waiting it out.
        if (queued >= minBytes || !lineUp || left == 0)
            return queued;
        if (m_pendingLen == m_pending.size())
            PollFds(nullptr, 0, std::min(left, kFullRecheckMs));
        else if (PollOne(m_fd, POLLIN, left) < 0)
            return queued;
    }
}

bool SerialPort::WaitReadableOrWake(uint32_t timeoutMs) {
    std::lock_guard guard(m_lock);
    uint32_t start = TickCount();
    pollfd fds[2] = {{wakeFd(), POLLIN, 0}, {m_fd, POLLIN, 0}};
    if (PollFds(fds, 2, m_pendingLen > 0 ? 0 : timeoutMs) < 0)
        return false;
    if (fds[0].revents & POLLIN)
        return false;
    if (m_pendingLen > 0 || (fds[1].revents & POLLIN))
        return QueuedLocked() > 0;
    if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        // A line that is gone stays "ready"; pause the rest of the time on
        // the wake alone so the polling caller does not spin.
        PollFds(fds, 1, MsLeft(start, timeoutMs));
    }
    return false;
}

bool SerialPort::Purge(bool input, bool output) {
    std::lock_guard guard(m_lock);
    bool ok = true;
    if (input) {
        m_pendingLen = 0;
        ok = tcflush(m_fd, TCIFLUSH) == 0;
    }
    if (output)
        ok = tcflush(m_fd, TCOFLUSH) == 0 && ok;
    return ok;
}

} // namespace platform
