#pragma once
// A named lock between processes: a file named after the lock in
// $XDG_RUNTIME_DIR (or, without one, in a folder of the user's cache that only
// the user can hold), held with flock for as long as the lock stays open. Its
// existence alone marks a running instance; nothing ever waits on it.

#include <string>
#include <string_view>

namespace platform {

struct NamedLock {
    int fd = -1;                // open while this process holds the lock
    bool alreadyExists = false; // another process holds it
};

// The lock file's path for this name; empty when no folder can be had.
std::string NamedLockPath(std::string_view name);

// Takes the lock without waiting. When the folder or the file cannot be
// opened, the result holds neither the lock nor alreadyExists.
NamedLock CreateNamedLock(std::string_view name);

// Releases the lock (if held) and resets the record.
void CloseNamedLock(NamedLock& lock);

} // namespace platform
