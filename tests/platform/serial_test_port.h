#pragma once
// A pseudo-terminal whose slave end the code under test opens as a serial
// port, reached as "com1" through a private ports folder, plus a watch that
// tells whether anything opened the slave.

#include "platform/pty.h"
#include "tests/platform/test_folder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

// Watches a path for opens, from its construction on.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& path) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(inotify_add_watch(m_fd, path.c_str(), IN_OPEN), 0) << path;
    }
    ~OpenWatch() { close(m_fd); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    // Whether the path was opened since the last call.
    bool OpenedSinceLastAsk() {
        bool opened = false;
        alignas(inotify_event) char events[4096];
        while (read(m_fd, events, sizeof events) > 0)
            opened = true;
        return opened;
    }

private:
    int m_fd;
};

class SerialTestPort {
public:
    SerialTestPort() {
        EXPECT_FALSE(m_dir.path().empty());
        EXPECT_TRUE(pty.Open());
        EXPECT_TRUE(Link("com1"));
        m_watch.emplace(pty.slavePath());
    }

    ~SerialTestPort() {
        m_watch.reset();
        pty.Close();
    }

    SerialTestPort(const SerialTestPort&) = delete;
    SerialTestPort& operator=(const SerialTestPort&) = delete;

    const std::string& dir() const { return m_dir.path(); }

    // A further link to the slave in the ports folder, or at a path of the
    // test's choosing (relative to the working folder).
    bool Link(const std::string& name) { return LinkAt(dir() + "/" + name); }
    bool LinkAt(const std::string& path) {
        return symlink(pty.slavePath().c_str(), path.c_str()) == 0;
    }

    // Whether the slave was opened since the last call.
    bool OpenedSinceLastAsk() { return m_watch->OpenedSinceLastAsk(); }

    // Writes from the device's side and waits until all of it was written.
    void Send(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(pty.Write(bytes.data(), bytes.size()), long(bytes.size()));
    }

    // What the device received, waiting up to timeoutMs for count bytes.
    std::vector<uint8_t> Receive(size_t count, uint32_t timeoutMs = 2000) {
        std::vector<uint8_t> bytes(count);
        long n = pty.ReadExact(bytes.data(), count, timeoutMs);
        bytes.resize(n < 0 ? 0 : size_t(n));
        return bytes;
    }

    platform::Pty pty;

private:
    test_support::TempFolder m_dir;
    test_support::ScopedEnv m_portsDir{"TXV_PORTS_DIR", m_dir.path()};
    std::optional<OpenWatch> m_watch;
};

// Puts a terminal in line mode at 38400 baud, as a login or another program
// keeps it, and returns the settings as the terminal took them.
inline termios LineModeAt38400(int fd) {
    termios tio{};
    EXPECT_EQ(tcgetattr(fd, &tio), 0);
    tio.c_lflag |= ICANON | ECHO | ISIG;
    tio.c_iflag |= ICRNL;
    tio.c_oflag |= OPOST;
    EXPECT_EQ(cfsetspeed(&tio, B38400), 0);
    EXPECT_EQ(tcsetattr(fd, TCSANOW, &tio), 0);
    EXPECT_EQ(tcgetattr(fd, &tio), 0);
    return tio;
}

// The terminal behind fd is still at the settings it was found with.
inline void ExpectLineAsFound(int fd, const termios& found) {
    termios seen{};
    ASSERT_EQ(tcgetattr(fd, &seen), 0);
    EXPECT_EQ(seen.c_iflag, found.c_iflag);
    EXPECT_EQ(seen.c_oflag, found.c_oflag);
    EXPECT_EQ(seen.c_cflag, found.c_cflag);
    EXPECT_EQ(seen.c_lflag, found.c_lflag);
    EXPECT_EQ(cfgetospeed(&seen), cfgetospeed(&found));
}

// While it lives, the calling thread may not open the given device node for
// lack of permission. Root passes every permission check, so a root test
// runs this thread (and no other) as nobody; anyone else takes the permission
// bits off a node of their own. Folders on the way must let nobody through.
class DeniedNode {
public:
    explicit DeniedNode(std::string node) : m_node(std::move(node)) {
        if (geteuid() == 0) {
            // The system call, not the C library's wrapper, which would
            // switch every thread of the process.
            m_asNobody = syscall(SYS_setresuid, -1, test_support::kNobodyId, -1) == 0;
            EXPECT_TRUE(m_asNobody);
        } else {
            struct stat st {};
            EXPECT_EQ(stat(m_node.c_str(), &st), 0);
            m_mode = st.st_mode & 07777;
            EXPECT_EQ(chmod(m_node.c_str(), 0), 0);
        }
    }
    ~DeniedNode() {
        if (m_asNobody)
            EXPECT_EQ(syscall(SYS_setresuid, -1, 0, -1), 0);
        else
            chmod(m_node.c_str(), m_mode);
    }
    DeniedNode(const DeniedNode&) = delete;
    DeniedNode& operator=(const DeniedNode&) = delete;

private:
    std::string m_node;
    bool m_asNobody = false;
    mode_t m_mode = 0;
};
