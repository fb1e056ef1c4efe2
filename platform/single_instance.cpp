#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Made 0700 when missing. Refused unless it is a folder (not a link) of this
// user; opened to others, it is closed again, since they could otherwise hold
// the lock file.
bool EnsurePrivateFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    return (st.st_mode & 077) == 0 || chmod(folder.c_str(), 0700) == 0;
}

// $XDG_CACHE_HOME when it is an absolute path, else ~/.cache.
std::string CacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/')
        return cache;
    const char* home = std::getenv("HOME");
    if (!home || *home != '/')
        return {};
    return std::string(home) + "/.cache";
}

// $XDG_RUNTIME_DIR when set, else a private folder in the user's cache. Never
// a folder in the shared /tmp, where another user could have made it first.
std::string LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return runtime;
    const std::string cache = CacheFolder();
    if (cache.empty() || (mkdir(cache.c_str(), 0700) != 0 && errno != EEXIST))
        return {};
    const std::string folder = cache + "/txv418k-demo";
    return EnsurePrivateFolder(folder) ? folder : std::string();
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
