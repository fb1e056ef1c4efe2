#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// $XDG_RUNTIME_DIR when set, else /tmp/txv-<uid>, made private to this user.
// The fallback is refused when it is not a directory of ours, so another user
// cannot plant it in the shared /tmp, and closed again when it was opened to
// others, who could otherwise hold the lock file.
std::string LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return runtime;
    std::string folder = "/tmp/txv-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return {};
    if ((st.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0)
        return {};
    return folder;
}

} // namespace

std::string NamedLockPath(std::string_view name) {
    std::string folder = LockFolder();
    if (folder.empty())
        return {};
    return folder + "/" + std::string(name) + ".lock";
}

NamedLock CreateNamedLock(std::string_view name) {
    NamedLock lock;
    std::string path = NamedLockPath(name);
    if (path.empty())
        return lock;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return lock;
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        lock.fd = fd;
        return lock;
    }
    lock.alreadyExists = errno == EWOULDBLOCK;
    close(fd);
    return lock;
}

void CloseNamedLock(NamedLock& lock) {
    if (lock.fd >= 0)
        close(lock.fd);
    lock = NamedLock{};
}

} // namespace platform
