#pragma once
// One open serial port behind a device handle. Callers use a port from one
// thread at a time; the lock only keeps a stray second caller from tearing
// the input buffer.

#include "platform/handle.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <termios.h>

namespace platform {

class SerialPort : public OpenDevice {
public:
    // Takes ownership of an open descriptor; closing puts back the line
    // settings it had before it was configured.
    SerialPort(int fd, const termios& found) : m_fd(fd), m_found(found) {}
    ~SerialPort() override;

    long Write(const uint8_t* data, size_t count);
    long Read(uint8_t* buf, size_t count);
    int BytesQueued();
    int WaitQueued(int minBytes, uint32_t timeoutMs);
    bool WaitReadableOrWake(uint32_t timeoutMs);
    bool Purge(bool input, bool output);

private:
    // A terminal is readable as soon as one byte waits, so a wait for more
    // bytes moves arrivals here and polls again instead of spinning. The
    // reader's frames are far smaller; past the bound, bytes wait in the driver.
    static constexpr size_t kPendingCapacity = 4096;

    // Moves what the descriptor holds into the pending buffer without
    // blocking; false once the line is gone (hung up or failing).
    bool FillPending();
    int QueuedLocked();
    size_t TakePending(uint8_t* buf, size_t count);

    std::mutex m_lock;
    int m_fd;
    termios m_found;
    std::array<uint8_t, kPendingCapacity> m_pending{};
    size_t m_pendingLen = 0;
};

} // namespace platform
