#include "platform/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

// A new file beside path under a name of this process's own; O_EXCL never
// opens what is already there, a planted link included.
int CreateBeside(const std::string& path, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = path + ".part" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    // A link is not looked through: it is what gets replaced.
    struct stat existing {};
    const bool regular = lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (regular && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    std::string temporary;
    const int fd = CreateBeside(path, temporary);
    if (fd < 0)
        return false;
    bool ok = (!regular || fchmod(fd, existing.st_mode & 07777) == 0) && WriteAll(fd, bytes) &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

} // namespace platform
