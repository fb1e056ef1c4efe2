#pragma once
// A raw byte client on a file descriptor (pty slave or vhid socket) for the
// stand-in reader's tests.

#include "sim/types.h"

#include <chrono>
#include <cstdint>
#include <poll.h>
#include <unistd.h>

namespace sim_test {

// Reads until `count` bytes arrived or timeoutMs passed; returns what came.
inline sim::Bytes ReadAtLeast(int fd, size_t count, uint32_t timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    sim::Bytes got;
    while (got.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd pfd{fd, POLLIN, 0};
        if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        uint8_t buf[512];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        got.insert(got.end(), buf, buf + n);
    }
    return got;
}

inline bool WriteAll(int fd, const sim::Bytes& bytes) {
    return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

} // namespace sim_test
