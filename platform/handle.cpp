#include "platform/handle.h"

#include "platform/clock.h"
#include "platform/poll_wait.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

namespace {

struct Entry {
    std::shared_ptr<OpenDevice> device;
};

struct Table {
    std::mutex lock;
    std::map<DeviceHandle, Entry> entries;
    DeviceHandle next = 1;
};

Table& TheTable() {
    static Table table;
    return table;
}

} // namespace

OpenDevice::OpenDevice() : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

OpenDevice::~OpenDevice() {
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

DeviceHandle RegisterDevice(std::shared_ptr<OpenDevice> device) {
    Table& t = TheTable();
    std::lock_guard guard(t.lock);
    // Handles are not reused soon, so a stale handle does not reach a new device.
    while (t.next == 0 || t.next == kInvalidHandle || t.entries.count(t.next))
        ++t.next;
    DeviceHandle h = t.next++;
    t.entries.emplace(h, Entry{std::move(device)});
    return h;
}

std::shared_ptr<OpenDevice> LookupDevice(DeviceHandle h) {
    Table& t = TheTable();
    std::lock_guard guard(t.lock);
    auto it = t.entries.find(h);
    return it == t.entries.end() ? nullptr : it->second.device;
}

bool CloseDeviceHandle(DeviceHandle h) {
    std::shared_ptr<OpenDevice> closing;
    {
        Table& t = TheTable();
        std::lock_guard guard(t.lock);
        auto it = t.entries.find(h);
        if (it == t.entries.end())
            return false;
        closing = std::move(it->second.device);
        t.entries.erase(it);
    }
    // The device closes when the last operation holding it ends.
    return true;
}

void WakeIdleWaits(DeviceHandle h) {
    if (auto device = LookupDevice(h)) {
        uint64_t one = 1;
        (void)!write(device->wakeFd(), &one, sizeof one);
    }
}

void ClearIdleWake(DeviceHandle h) {
    if (auto device = LookupDevice(h)) {
        uint64_t value;
        (void)!read(device->wakeFd(), &value, sizeof value);
    }
}

bool IdleWakeSet(DeviceHandle h) {
    auto device = LookupDevice(h);
    return device && PollOne(device->wakeFd(), POLLIN, 0) > 0;
}

bool PauseUnlessWoken(DeviceHandle h, uint32_t ms) {
    uint32_t start = TickCount();
    auto device = LookupDevice(h);
    const int woken = device ? PollOne(device->wakeFd(), POLLIN, ms) : -1;
    // A failed poll still pauses, so a caller's loop cannot spin.
    if (woken < 0)
        SleepMs(MsLeft(start, ms));
    return woken > 0;
}

} // namespace platform
