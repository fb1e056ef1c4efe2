#include "platform/hid.h"

#include "platform/clock.h"
#include "platform/hidraw.h"
#include "platform/poll_wait.h"
#include "platform/vhid.h"

#include <cerrno>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A file as the file system tells it apart from any other.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

// What stat() or fstat() gave; nothing when it failed.
std::optional<FileId> FileIdOf(int statResult, const struct stat& st) {
    if (statResult != 0)
        return std::nullopt;
    return FileId{st.st_dev, st.st_ino};
}

// The file a path leads to now.
std::optional<FileId> FileAt(const std::string& path) {
    struct stat st;
    return FileIdOf(stat(path.c_str(), &st), st);
}

// An open interface of either provider: both move one report per read or
// write on a descriptor; they differ in how a read carries the report id and
// in how a vanished peer shows. The device's file (the hidraw node, the bus
// socket) is kept as it was at the open: a device of the same kind that
// takes the name later is another file.
class HidInterface final : public OpenDevice {
public:
    enum class Kind { Hidraw, Vhid };

    HidInterface(int fd, Kind kind, HidAttributes attributes, HidCaps caps, bool capsKnown,
                 bool readOmitsReportId, std::string devicePath, std::optional<FileId> deviceFile)
        : fd(fd), kind(kind), attributes(attributes), caps(caps), capsKnown(capsKnown),
          readOmitsReportId(readOmitsReportId), devicePath(std::move(devicePath)),
          deviceFile(deviceFile) {}
    ~HidInterface() override { close(fd); }

    const int fd;
    const Kind kind;
    const HidAttributes attributes;
    const HidCaps caps;
    const bool capsKnown;
    const bool readOmitsReportId;
    const std::string devicePath;
    const std::optional<FileId> deviceFile;
};

std::shared_ptr<HidInterface> Lookup(DeviceHandle h) {
    return LookupDeviceAs<HidInterface>(h);
}

bool MeansGone(int error) {
    return error == EIO || error == ENODEV || error == ESHUTDOWN || error == EPIPE ||
           error == ECONNRESET || error == ENOTCONN;
}

enum class Wait { Ready, TimedOut, Woken, Failed };

// Waits for events on fd (and, with wakeFd >= 0, for the wake), up to
// timeoutMs after start. A hang-up counts as ready: the transfer then finds
// out that the interface is gone.
Wait WaitFor(int fd, short events, int wakeFd, uint32_t start, uint32_t timeoutMs, short* revents) {
    pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    int ready = PollFds(fds, wakeFd >= 0 ? 2 : 1, MsLeft(start, timeoutMs));
    if (ready < 0 || (fds[0].revents & POLLNVAL))
        return Wait::Failed;
    if (ready == 0)
        return Wait::TimedOut;
    // A report already waiting wins over a wake, so a stop loses no frame.
    if (fds[0].revents) {
        *revents = fds[0].revents;
        return Wait::Ready;
    }
    return Wait::Woken;
}

HidIo FromWait(Wait wait) {
    switch (wait) {
    case Wait::TimedOut:
        return HidIo::TimedOut;
    case Wait::Woken:
        return HidIo::Woken;
    default:
        return HidIo::Failed;
    }
}

} // namespace

std::vector<std::string> ListHidPaths() {
    // The providers' paths differ in form, and each lists a path once.
    std::vector<std::string> paths = ListHidrawNodes();
    for (std::string& path : ListVhidPaths())
        paths.push_back(std::move(path));
    return paths;
}

// The virtual bus has no permissions to refuse; hidraw nodes do.
std::vector<std::string> ListDeniedHidPaths(uint16_t vendorId, uint16_t productId) {
    return ListDeniedHidrawNodes(vendorId, productId);
}

DeviceHandle OpenHidPath(const std::string& path) {
    std::shared_ptr<HidInterface> device;
    if (const std::string socketFile = VhidSocketFile(path); !socketFile.empty()) {
        VhidHello hello;
        int fd = VhidConnect(path, &hello);
        if (fd < 0)
            return kInvalidHandle;
        // A socket's descriptor tells nothing of its file, so the file is
        // looked at right after the connect.
        device = std::make_shared<HidInterface>(
            fd, HidInterface::Kind::Vhid, HidAttributes{hello.vendorId, hello.productId},
            HidCaps{hello.inputReportLength, hello.outputReportLength}, true, false, socketFile,
            FileAt(socketFile));
    } else {
        HidrawNode node;
        if (!OpenHidrawNode(path, &node))
            return kInvalidHandle;
        struct stat opened;
        // hidraw hands a report without its id when the device uses none.
        device = std::make_shared<HidInterface>(
            node.fd, HidInterface::Kind::Hidraw, node.attributes, node.caps, node.capsKnown,
            node.capsKnown && !node.usesReportIds, path, FileIdOf(fstat(node.fd, &opened), opened));
    }
    return RegisterDevice(std::move(device));
}

bool HidInterfacePresent(DeviceHandle h) {
    auto device = Lookup(h);
    if (!device)
        return false;
    // Asking for no event reports a hang-up or an error only, and reads nothing.
    if (PollOne(device->fd, 0, 0) != 0)
        return false;
    return device->deviceFile && FileAt(device->devicePath) == device->deviceFile;
}

bool HidGetAttributes(DeviceHandle h, HidAttributes* out) {
    auto device = Lookup(h);
    if (!device || out == nullptr)
        return false;
    *out = device->attributes;
    return true;
}

bool HidGetCaps(DeviceHandle h, HidCaps* out) {
    auto device = Lookup(h);
    if (!device || out == nullptr || !device->capsKnown)
        return false;
    *out = device->caps;
    return true;
}

HidIo HidWriteReport(DeviceHandle h, const uint8_t* report, size_t length, uint32_t timeoutMs) {
    auto device = Lookup(h);
    if (!device || report == nullptr || length == 0)
        return HidIo::Failed;
    uint32_t start = TickCount();
    for (;;) {
        short revents = 0;
        Wait wait = WaitFor(device->fd, POLLOUT, -1, start, timeoutMs, &revents);
        if (wait != Wait::Ready)
            return FromWait(wait);
        if (revents & (POLLHUP | POLLERR))
            return HidIo::Gone;
        // A hidraw write may still block in the kernel for its USB time-out.
        ssize_t n = device->kind == HidInterface::Kind::Vhid
                        ? send(device->fd, report, length, MSG_DONTWAIT | MSG_NOSIGNAL)
                        : write(device->fd, report, length);
        if (n == ssize_t(length))
            return HidIo::Ok;
        if (n >= 0)
            return HidIo::Failed;
        if (errno == EAGAIN || errno == EINTR)
            continue;
        return MeansGone(errno) ? HidIo::Gone : HidIo::Failed;
    }
}

HidIo HidReadReport(DeviceHandle h, uint8_t* buf, size_t capacity, size_t* got, uint32_t timeoutMs,
                    bool wakeable) {
    if (got != nullptr)
        *got = 0;
    auto device = Lookup(h);
    if (!device || buf == nullptr || capacity == 0 || got == nullptr)
        return HidIo::Failed;
    size_t offset = device->readOmitsReportId ? 1 : 0;
    if (capacity <= offset)
        return HidIo::Failed;
    uint32_t start = TickCount();
    for (;;) {
        short revents = 0;
        Wait wait = WaitFor(device->fd, POLLIN, wakeable ? device->wakeFd() : -1, start, timeoutMs,
                            &revents);
        if (wait != Wait::Ready)
            return FromWait(wait);
        // Read even on a hang-up: a report that arrived before it is still good.
        ssize_t n = device->kind == HidInterface::Kind::Vhid
                        ? recv(device->fd, buf, capacity, MSG_DONTWAIT)
                        : read(device->fd, buf + offset, capacity - offset);
        if (n > 0) {
            if (offset == 1)
                buf[0] = 0;
            *got = size_t(n) + offset;
            return HidIo::Ok;
        }
        if (n == 0)
            return HidIo::Gone;
        if ((errno == EAGAIN || errno == EINTR) && !(revents & (POLLHUP | POLLERR)))
            continue;
        return MeansGone(errno) || (revents & (POLLHUP | POLLERR)) ? HidIo::Gone : HidIo::Failed;
    }
}

} // namespace platform
