#pragma once
// A pseudo-terminal pair in raw mode: the master end for a stand-in device
// or a test, the slave path for the program to open as a serial port. The
// object keeps a slave descriptor of its own open, so the master neither
// sees a hang-up nor loses written bytes while the program's end is closed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // False when no pair can be made; a pair already open is closed first.
    bool Open();
    // Closing the master hangs up the slave side.
    void Close();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }

    // Writes all bytes, waiting up to timeoutMs for room; the count written,
    // or -1 on error.
    long Write(const uint8_t* data, size_t count, uint32_t timeoutMs = 1000);

    // Waits up to timeoutMs for the first byte, then returns what is there
    // (at most count); 0 after the time-out, -1 on error.
    long Read(uint8_t* buf, size_t count, uint32_t timeoutMs);

    // Collects bytes until count arrived or timeoutMs passed; the count
    // collected, or -1 on error.
    long ReadExact(uint8_t* buf, size_t count, uint32_t timeoutMs);

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

} // namespace platform
