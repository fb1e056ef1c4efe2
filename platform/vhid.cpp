#include "platform/vhid.h"

#include "platform/clock.h"
#include "platform/poll_wait.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kFolderVariable = "TXV_VHID_DIR";
constexpr uint32_t kHelloTimeoutMs = 1000;
constexpr int kListenBacklog = 16;
constexpr size_t kMaxMessage = 65536;
// Output reports nobody takes are dropped oldest first past this many.
constexpr size_t kMaxQueuedReports = 4096;

void PutLe16(uint8_t* out, uint16_t value) {
    out[0] = uint8_t(value & 0xFF);
    out[1] = uint8_t(value >> 8);
}

uint16_t GetLe16(const uint8_t* in) {
    return uint16_t(in[0] | (in[1] << 8));
}

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool ValidName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

// Socket addresses are short (108 bytes); going through the folder's
// descriptor lets a device live in a folder of any depth.
bool AddressIn(int dirFd, const std::string& name, sockaddr_un* address) {
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    int n = std::snprintf(address->sun_path, sizeof address->sun_path, "/proc/self/fd/%d/%s", dirFd,
                          name.c_str());
    return n > 0 && size_t(n) < sizeof address->sun_path;
}

int OpenFolder(const std::string& folder) {
    return open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool IsSocketIn(int dirFd, const std::string& name, struct stat* st) {
    return fstatat(dirFd, name.c_str(), st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISSOCK(st->st_mode);
}

// A non-blocking connection to <dirFd>/<name>, or -1.
int ConnectIn(int dirFd, const std::string& name, int* error) {
    sockaddr_un address;
    if (!AddressIn(dirFd, name, &address)) {
        *error = ENAMETOOLONG;
        return -1;
    }
    int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        *error = errno;
        close(fd);
        return -1;
    }
    return fd;
}

// One connection. A sender may still hold it after the device dropped it, so
// dropping shuts it down (the client sees the end at once) and the last
// holder closes it.
struct Client {
    explicit Client(int socket) : fd(socket) {}
    ~Client() { close(fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    int fd;
};

} // namespace

void EncodeVhidHello(const VhidHello& hello, uint8_t out[kVhidHelloSize]) {
    PutLe16(out, hello.vendorId);
    PutLe16(out + 2, hello.productId);
    PutLe16(out + 4, hello.inputReportLength);
    PutLe16(out + 6, hello.outputReportLength);
}

bool DecodeVhidHello(const uint8_t* message, size_t length, VhidHello* out) {
    if (message == nullptr || length != kVhidHelloSize)
        return false;
    out->vendorId = GetLe16(message);
    out->productId = GetLe16(message + 2);
    out->inputReportLength = GetLe16(message + 4);
    out->outputReportLength = GetLe16(message + 6);
    return true;
}

std::string VhidFolder() {
    const char* folder = std::getenv(kFolderVariable);
    struct stat st;
    if (folder == nullptr || *folder == '\0' || stat(folder, &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return WithoutTrailingSlashes(folder);
}

std::string VhidPathText(const std::string& folder, const std::string& name) {
    std::string base = WithoutTrailingSlashes(folder);
    return kVhidPrefix + base + (base == "/" ? "" : "/") + name;
}

std::vector<std::string> ListVhidPaths() {
    std::string folder = VhidFolder();
    if (folder.empty())
        return {};
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            struct stat st;
            if (ValidName(entry->d_name) && IsSocketIn(dirfd(dir), entry->d_name, &st))
                names.emplace_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(VhidPathText(folder, name));
    return paths;
}

std::string VhidSocketFile(const std::string& path) {
    const std::string prefix = kVhidPrefix;
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : std::string();
}

int VhidConnect(const std::string& path, VhidHello* hello) {
    std::string socketPath = VhidSocketFile(path);
    if (hello == nullptr || VhidFolder().empty() || socketPath.empty())
        return -1;
    size_t slash = socketPath.find_last_of('/');
    if (slash == std::string::npos)
        return -1;
    std::string name = socketPath.substr(slash + 1);
    std::string folder = slash == 0 ? "/" : socketPath.substr(0, slash);
    if (!ValidName(name))
        return -1;
    int dirFd = OpenFolder(folder);
    if (dirFd < 0)
        return -1;
    int error = 0;
    int fd = ConnectIn(dirFd, name, &error);
    close(dirFd);
    if (fd < 0)
        return -1;

    // The hello is the first message; a refusing device closes without one.
    uint32_t start = TickCount();
    for (;;) {
        int revents = PollOne(fd, POLLIN, MsLeft(start, kHelloTimeoutMs));
        if (revents <= 0)
            break;
        uint8_t message[kVhidHelloSize + 1];
        ssize_t n = recv(fd, message, sizeof message, MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR) && !(revents & (POLLHUP | POLLERR)))
            continue;
        if (n > 0 && DecodeVhidHello(message, size_t(n), hello))
            return fd;
        break;
    }
    close(fd);
    return -1;
}

struct VirtualHidDevice::Impl {
    std::string path;
    std::string name;
    VhidHello hello;
    Sharing sharing = Sharing::Shared;
    int dirFd = -1;
    int listenFd = -1;
    int stopFd = -1;
    int inotifyFd = -1;
    ino_t inode = 0;

    mutable std::mutex lock;
    std::condition_variable reportArrived;
    std::deque<std::vector<uint8_t>> outputReports;
    std::vector<std::shared_ptr<Client>> clients;
    bool plugged = true;

    std::mutex unplugLock;
    std::thread server;
    std::vector<uint8_t> scratch = std::vector<uint8_t>(kMaxMessage);

    ~Impl() {
        for (int fd : {dirFd, listenFd, stopFd, inotifyFd})
            if (fd >= 0)
                close(fd);
    }

    bool socketFileIsOurs() const {
        struct stat st;
        return IsSocketIn(dirFd, name, &st) && st.st_ino == inode;
    }

    // Takes every message the client has sent; false once it is gone.
    bool drain(Client& client) {
        for (;;) {
            ssize_t n = recv(client.fd, scratch.data(), scratch.size(), MSG_DONTWAIT);
            if (n > 0) {
                std::lock_guard guard(lock);
                if (outputReports.size() == kMaxQueuedReports)
                    outputReports.pop_front();
                outputReports.emplace_back(scratch.begin(), scratch.begin() + n);
                reportArrived.notify_all();
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            return n < 0 && errno == EAGAIN;
        }
    }

    void removeClient(const std::shared_ptr<Client>& client) {
        std::lock_guard guard(lock);
        shutdown(client->fd, SHUT_RDWR);
        clients.erase(std::remove(clients.begin(), clients.end(), client), clients.end());
    }

    // Clients that hung up are dropped before an exclusive device decides
    // whether a newcomer may connect: a quick close and reopen must work.
    void reapClients() {
        std::vector<std::shared_ptr<Client>> current;
        {
            std::lock_guard guard(lock);
            current = clients;
        }
        for (auto& client : current)
            if (!drain(*client))
                removeClient(client);
    }

    void acceptClients() {
        for (;;) {
            int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            reapClients();
            std::lock_guard guard(lock);
            if (sharing == Sharing::Exclusive && !clients.empty()) {
                close(fd);
                continue;
            }
            // Added and greeted under the lock so no input report can
            // overtake the hello.
            uint8_t message[kVhidHelloSize];
            EncodeVhidHello(hello, message);
            if (send(fd, message, sizeof message, MSG_DONTWAIT | MSG_NOSIGNAL) !=
                ssize_t(sizeof message)) {
                close(fd);
                continue;
            }
            clients.push_back(std::make_shared<Client>(fd));
        }
    }

    void dropClients() {
        std::lock_guard guard(lock);
        for (auto& client : clients)
            shutdown(client->fd, SHUT_RDWR);
        clients.clear();
        plugged = false;
        reportArrived.notify_all();
    }

    void serve() {
        for (;;) {
            std::vector<std::shared_ptr<Client>> current;
            {
                std::lock_guard guard(lock);
                current = clients;
            }
            std::vector<pollfd> fds = {
                {stopFd, POLLIN, 0}, {inotifyFd, POLLIN, 0}, {listenFd, POLLIN, 0}};
            for (auto& client : current)
                fds.push_back({client->fd, POLLIN, 0});
            if (poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (fds[0].revents)
                return;
            if (fds[1].revents) {
                alignas(inotify_event) char events[4096];
                while (read(inotifyFd, events, sizeof events) > 0) {
                }
                if (!socketFileIsOurs())
                    break;
            }
            for (size_t i = 0; i < current.size(); ++i)
                if (fds[3 + i].revents && !drain(*current[i]))
                    removeClient(current[i]);
            if (fds[2].revents)
                acceptClients();
        }
        dropClients();
    }
};

VirtualHidDevice::VirtualHidDevice(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

std::unique_ptr<VirtualHidDevice>
VirtualHidDevice::Create(const std::string& folder, const std::string& name, uint16_t vendorId,
                         uint16_t productId, uint16_t inputReportLength,
                         uint16_t outputReportLength, Sharing sharing) {
    if (!ValidName(name))
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->path = VhidPathText(folder, name);
    impl->name = name;
    impl->hello = {vendorId, productId, inputReportLength, outputReportLength};
    impl->sharing = sharing;
    impl->dirFd = OpenFolder(folder);
    sockaddr_un address;
    if (impl->dirFd < 0 || !AddressIn(impl->dirFd, name, &address))
        return nullptr;
    impl->listenFd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (impl->listenFd < 0)
        return nullptr;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (bind(impl->listenFd, raw, sizeof address) != 0) {
        // A socket nobody listens on is what a crashed device leaves behind.
        struct stat st;
        int error = 0;
        if (errno != EADDRINUSE || !IsSocketIn(impl->dirFd, name, &st))
            return nullptr;
        int probe = ConnectIn(impl->dirFd, name, &error);
        if (probe >= 0) {
            close(probe);
            return nullptr;
        }
        if (error != ECONNREFUSED || unlinkat(impl->dirFd, name.c_str(), 0) != 0 ||
            bind(impl->listenFd, raw, sizeof address) != 0)
            return nullptr;
    }
    auto unbind = [&] {
        unlinkat(impl->dirFd, name.c_str(), 0);
        return nullptr;
    };
    struct stat st;
    if (listen(impl->listenFd, kListenBacklog) != 0 || !IsSocketIn(impl->dirFd, name, &st))
        return unbind();
    impl->inode = st.st_ino;
    impl->stopFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    impl->inotifyFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    char folderLink[64];
    std::snprintf(folderLink, sizeof folderLink, "/proc/self/fd/%d", impl->dirFd);
    if (impl->stopFd < 0 || impl->inotifyFd < 0 ||
        inotify_add_watch(impl->inotifyFd, folderLink,
                          IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF) < 0)
        return unbind();
    Impl* serving = impl.get();
    impl->server = std::thread([serving] { serving->serve(); });
    return std::unique_ptr<VirtualHidDevice>(new VirtualHidDevice(std::move(impl)));
}

VirtualHidDevice::~VirtualHidDevice() {
    unplug();
}

const std::string& VirtualHidDevice::path() const {
    return m_impl->path;
}

const VhidHello& VirtualHidDevice::hello() const {
    return m_impl->hello;
}

bool VirtualHidDevice::receiveOutputReport(std::vector<uint8_t>* report, uint32_t timeoutMs) {
    if (report == nullptr)
        return false;
    std::unique_lock guard(m_impl->lock);
    bool arrived = m_impl->reportArrived.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] {
        return !m_impl->outputReports.empty() || !m_impl->plugged;
    });
    if (!arrived || m_impl->outputReports.empty())
        return false;
    *report = std::move(m_impl->outputReports.front());
    m_impl->outputReports.pop_front();
    return true;
}

int VirtualHidDevice::sendInputReport(const uint8_t* report, size_t length, uint32_t timeoutMs) {
    size_t reportLength = m_impl->hello.inputReportLength;
    if (reportLength == 0 || length > reportLength || (report == nullptr && length != 0))
        return 0;
    std::vector<uint8_t> padded(reportLength, 0);
    std::copy(report, report + length, padded.begin());
    std::vector<std::shared_ptr<Client>> current;
    {
        std::lock_guard guard(m_impl->lock);
        current = m_impl->clients;
    }
    uint32_t start = TickCount();
    int reached = 0;
    for (auto& client : current) {
        for (;;) {
            ssize_t n = send(client->fd, padded.data(), padded.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n == ssize_t(padded.size())) {
                ++reached;
                break;
            }
            if (n >= 0 || (errno != EAGAIN && errno != EINTR))
                break;
            uint32_t left = MsLeft(start, timeoutMs);
            int revents = left == 0 ? -1 : PollOne(client->fd, POLLOUT, left);
            if (revents < 0 || (revents & (POLLHUP | POLLERR | POLLNVAL)))
                break;
        }
    }
    return reached;
}

int VirtualHidDevice::clientCount() const {
    std::lock_guard guard(m_impl->lock);
    return int(m_impl->clients.size());
}

void VirtualHidDevice::unplug() {
    std::lock_guard guard(m_impl->unplugLock);
    if (m_impl->socketFileIsOurs())
        unlinkat(m_impl->dirFd, m_impl->name.c_str(), 0);
    if (m_impl->server.joinable()) {
        uint64_t one = 1;
        (void)!write(m_impl->stopFd, &one, sizeof one);
        m_impl->server.join();
    }
    // Connections still waiting to be accepted fail now, not at their hello
    // time-out.
    if (m_impl->listenFd >= 0) {
        close(m_impl->listenFd);
        m_impl->listenFd = -1;
    }
    m_impl->dropClients();
}

bool VirtualHidDevice::plugged() const {
    std::lock_guard guard(m_impl->lock);
    return m_impl->plugged;
}

} // namespace platform
