#include "platform/poll_wait.h"
#include "platform/port_map.h"
#include "platform/pty.h"
#include "sim/link.h"
#include "sim/stand_in_reader.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sys/eventfd.h>
#include <unistd.h>

namespace sim {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kWriteTimeoutMs = 1000;
constexpr size_t kReadSize = 512;

// Makes dir/name a link to target; an old link of that name is replaced, any
// other file is left alone.
bool MakeLink(const std::string& dir, const std::string& name, const std::string& target,
              std::string* linkPath) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    const fs::path link = fs::path(dir) / name;
    const fs::file_status status = fs::symlink_status(link, ec);
    if (fs::exists(status)) {
        if (!fs::is_symlink(status) || !fs::remove(link, ec)) {
            return false;
        }
    }
    fs::create_symlink(target, link, ec);
    if (ec) {
        return false;
    }
    *linkPath = link.string();
    return true;
}

class PtyLink : public Link {
public:
    explicit PtyLink(int paceBaud) : m_paceBaud(paceBaud) {}

    ~PtyLink() override {
        RemoveLink();
        if (m_wake >= 0) {
            close(m_wake);
        }
    }

    bool Open() {
        m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        return m_wake >= 0 && m_pty.Open();
    }

    const std::string& SlavePath() const { return m_pty.slavePath(); }
    void SetLinkPath(const std::string& path) { m_linkPath = path; }

    Received Receive(Bytes* data, uint32_t timeoutMs) override {
        pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {m_wake, POLLIN, 0}};
        const int ready = platform::PollFds(fds, 2, timeoutMs);
        if (ready < 0 || m_shutdown || (fds[1].revents & POLLIN)) {
            return Received::Closed;
        }
        if (ready == 0) {
            return Received::Idle;
        }
        if (fds[0].revents & (POLLERR | POLLNVAL)) {
            return Received::Closed;
        }
        data->resize(kReadSize);
        const ssize_t n = read(m_pty.masterFd(), data->data(), data->size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            data->clear();
            return Received::Idle;
        }
        if (n <= 0) {
            return Received::Closed;
        }
        data->resize(static_cast<size_t>(n));
        return Received::Stream;
    }

    void Send(const Bytes& bytes, bool /*endsFrame*/) override {
        if (m_paceBaud <= 0) {
            m_pty.Write(bytes.data(), bytes.size(), kWriteTimeoutMs);
            return;
        }
        // About a millisecond of line time per slice; each slice leaves once
        // the line would have carried it, ten bits a byte.
        const size_t slice = std::max<size_t>(1, static_cast<size_t>(m_paceBaud) / 10000);
        const Clock::time_point start = Clock::now();
        for (size_t sent = 0; sent < bytes.size() && !m_shutdown;) {
            const size_t n = std::min(slice, bytes.size() - sent);
            const auto due = start + std::chrono::microseconds((sent + n) * 10'000'000 /
                                                               static_cast<size_t>(m_paceBaud));
            if (!SleepUntil(due)) {
                return;
            }
            m_pty.Write(bytes.data() + sent, n, kWriteTimeoutMs);
            sent += n;
        }
    }

    void Shutdown() override {
        m_shutdown = true;
        const uint64_t one = 1;
        // Should the write fail, the flag still ends the loops at their next wake-up.
        [[maybe_unused]] const ssize_t written = write(m_wake, &one, sizeof one);
    }

private:
    // Sleeps in poll() on the shutdown descriptor; false when shut down.
    bool SleepUntil(Clock::time_point due) {
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
            if (m_shutdown) {
                return false;
            }
            if (left.count() <= 0) {
                return true;
            }
            if (platform::PollOne(m_wake, POLLIN, static_cast<uint32_t>(left.count())) != 0) {
                return false;
            }
        }
    }

    void RemoveLink() {
        if (m_linkPath.empty()) {
            return;
        }
        std::error_code ec;
        if (fs::is_symlink(m_linkPath, ec) && fs::read_symlink(m_linkPath, ec) == SlavePath()) {
            fs::remove(m_linkPath, ec);
        }
    }

    platform::Pty m_pty;
    int m_wake = -1;
    std::atomic<bool> m_shutdown{false};
    int m_paceBaud;
    std::string m_linkPath;
};

} // namespace

std::unique_ptr<Link> OpenPtyLink(const PtyOptions& options, std::string* slavePath,
                                  std::string* linkPath) {
    auto link = std::make_unique<PtyLink>(options.paceBaud);
    if (!link->Open()) {
        return nullptr;
    }
    linkPath->clear();
    if (!options.linkName.empty()) {
        const std::string dir = options.portsDir.empty() ? platform::PortsDir() : options.portsDir;
        if (options.linkName.find('/') != std::string::npos ||
            !MakeLink(dir, options.linkName, link->SlavePath(), linkPath)) {
            return nullptr;
        }
        link->SetLinkPath(*linkPath);
    }
    *slavePath = link->SlavePath();
    return link;
}

} // namespace sim
