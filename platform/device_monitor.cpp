#include "platform/device_monitor.h"

#include "platform/clock.h"
#include "platform/hid.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <libudev.h>
#include <map>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// A USB device whose HID interface may still be on its way; reported once it
// exists so that a connect that follows the event finds it.
constexpr uint32_t kHidrawWaitMs = 2000;
constexpr int kPendingPollMs = 100;
// A virtual device may create its socket a moment before it listens.
constexpr int kHelloAttempts = 20;
constexpr int kHelloRetryMs = 10;

unsigned HexAttribute(udev_device* dev, const char* name) {
    const char* text = udev_device_get_sysattr_value(dev, name);
    return text ? unsigned(std::strtoul(text, nullptr, 16)) : 0;
}

std::string UdevName(udev_device* usb) {
    const char* serial = udev_device_get_sysattr_value(usb, "serial");
    return UsbInterfaceName(HexAttribute(usb, "idVendor"), HexAttribute(usb, "idProduct"),
                            serial ? serial : udev_device_get_sysname(usb));
}

// Remove events carry no attributes any more, only the PRODUCT property
// ("483/572b/200"); used when the add was not seen.
std::string NameFromProductProperty(udev_device* usb) {
    unsigned vid = 0, pid = 0;
    if (const char* product = udev_device_get_property_value(usb, "PRODUCT"))
        std::sscanf(product, "%x/%x", &vid, &pid);
    return UsbInterfaceName(vid, pid, udev_device_get_sysname(usb));
}

} // namespace

std::string UsbInterfaceName(unsigned vendorId, unsigned productId, const std::string& serial) {
    char ids[32];
    std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", vendorId & 0xFFFF, productId & 0xFFFF);
    return std::string("\\\\?\\USB#") + ids + "#" + serial +
           "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
}

struct DeviceMonitor::Impl {
    Handler handler;
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    int inotifyFd = -1;
    std::string vhidDir;
    int stopFd = -1;
    std::thread thread;

    std::map<std::string, std::string> usbNames;  // syspath -> name given at arrival
    std::map<std::string, uint32_t> pending;      // syspath -> tick of the add event
    std::map<std::string, std::string> vhidNames; // socket name -> its interface name

    ~Impl() {
        if (thread.joinable()) {
            uint64_t one = 1;
            (void)!write(stopFd, &one, sizeof one);
            thread.join();
        }
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
        if (inotifyFd >= 0)
            close(inotifyFd);
        if (stopFd >= 0)
            close(stopFd);
    }

    void Report(DeviceEventType type, const std::string& name) { handler({type, name}); }

    bool StartUdev() {
        context = udev_new();
        if (!context)
            return false;
        monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor)
            return false;
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device");
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
        return udev_monitor_enable_receiving(monitor) == 0;
    }

    bool StartVhid() {
        const char* dir = std::getenv("TXV_VHID_DIR");
        if (!dir || !*dir)
            return false;
        vhidDir = dir;
        inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (inotifyFd < 0)
            return false;
        return inotify_add_watch(inotifyFd, dir,
                                 IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM) >= 0;
    }

    bool HasHidraw(const std::string& usbSyspath) {
        std::string prefix = usbSyspath + "/";
        udev_enumerate* e = udev_enumerate_new(context);
        udev_enumerate_add_match_subsystem(e, "hidraw");
        udev_enumerate_scan_devices(e);
        bool found = false;
        udev_list_entry* entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
            const char* path = udev_list_entry_get_name(entry);
            found = found || std::strncmp(path, prefix.c_str(), prefix.size()) == 0;
        }
        udev_enumerate_unref(e);
        return found;
    }

    void OnUdevEvent() {
        udev_device* dev = udev_monitor_receive_device(monitor);
        if (!dev)
            return;
        const char* action = udev_device_get_action(dev);
        const char* subsystem = udev_device_get_subsystem(dev);
        std::string act = action ? action : "", sub = subsystem ? subsystem : "";
        if (sub == "usb" && act == "add") {
            std::string syspath = udev_device_get_syspath(dev);
            usbNames[syspath] = UdevName(dev);
            if (HasHidraw(syspath))
                Report(DeviceEventType::Arrival, usbNames[syspath]);
            else
                pending[syspath] = TickCount();
        } else if (sub == "usb" && act == "remove") {
            std::string syspath = udev_device_get_syspath(dev);
            auto known = usbNames.find(syspath);
            std::string name =
                known != usbNames.end() ? known->second : NameFromProductProperty(dev);
            usbNames.erase(syspath);
            pending.erase(syspath);
            Report(DeviceEventType::RemoveComplete, name);
        } else if (sub == "hidraw" && act == "add") {
            udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(dev, "usb", "usb_device");
            if (usb) {
                auto waiting = pending.find(udev_device_get_syspath(usb));
                if (waiting != pending.end()) {
                    Report(DeviceEventType::Arrival, usbNames[waiting->first]);
                    pending.erase(waiting);
                }
            }
        }
        udev_device_unref(dev);
    }

    // Devices without a HID interface are reported after a while all the same.
    void ReportOverduePending() {
        for (auto it = pending.begin(); it != pending.end();) {
            if (TickCount() - it->second >= kHidrawWaitMs) {
                Report(DeviceEventType::Arrival, usbNames[it->first]);
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    }

    // Sleeps between attempts; true when the monitor is being stopped.
    bool StopRequested(int waitMs) {
        pollfd p{stopFd, POLLIN, 0};
        return poll(&p, 1, waitMs) > 0;
    }

    bool IsSocket(const std::string& socketName) const {
        struct stat st;
        return lstat((vhidDir + "/" + socketName).c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    }

    // The ids come from the device's hello; empty when it never answered.
    std::string VhidName(const std::string& socketName, int attempts) {
        std::string path = "vhid:" + vhidDir + "/" + socketName;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            DeviceHandle h = OpenHidPath(path);
            if (h != kInvalidHandle) {
                HidAttributes attributes;
                bool ok = HidGetAttributes(h, &attributes);
                CloseDeviceHandle(h);
                if (ok)
                    return UsbInterfaceName(attributes.vendorId, attributes.productId, socketName);
            }
            if (StopRequested(kHelloRetryMs))
                break;
        }
        return {};
    }

    // A device that never answered is still remembered, so that its removal
    // is reported like any other.
    std::string RememberVhid(const std::string& socketName, int attempts) {
        std::string interfaceName = VhidName(socketName, attempts);
        vhidNames[socketName] =
            interfaceName.empty() ? UsbInterfaceName(0, 0, socketName) : interfaceName;
        return interfaceName;
    }

    // Devices already on the bus are not arrivals, but their removal must
    // carry their ids.
    void RememberPresentVhids() {
        DIR* dir = opendir(vhidDir.c_str());
        if (!dir)
            return;
        std::vector<std::string> names;
        while (dirent* entry = readdir(dir))
            names.emplace_back(entry->d_name);
        closedir(dir);
        for (const std::string& name : names)
            if (IsSocket(name))
                RememberVhid(name, 1);
    }

    void OnInotifyEvent() {
        alignas(inotify_event) char buffer[4096];
        ssize_t n = read(inotifyFd, buffer, sizeof buffer);
        for (ssize_t at = 0; n > 0 && at + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event)) + event->len;
            if (at > n)
                break;
            // Events about the folder itself carry no name.
            if (event->len == 0)
                continue;
            std::string name(event->name, strnlen(event->name, event->len));
            if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
                if (!IsSocket(name))
                    continue;
                std::string interfaceName = RememberVhid(name, kHelloAttempts);
                if (!interfaceName.empty())
                    Report(DeviceEventType::Arrival, interfaceName);
            } else if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                auto known = vhidNames.find(name);
                if (known == vhidNames.end())
                    continue; // not a device: some other file in the folder
                std::string interfaceName = known->second;
                vhidNames.erase(known);
                Report(DeviceEventType::RemoveComplete, interfaceName);
            }
        }
    }

    void Run() {
        for (;;) {
            pollfd fds[3] = {{stopFd, POLLIN, 0},
                             {monitor ? udev_monitor_get_fd(monitor) : -1, POLLIN, 0},
                             {inotifyFd, POLLIN, 0}};
            int timeout = pending.empty() ? -1 : kPendingPollMs;
            if (poll(fds, 3, timeout) < 0 && errno != EINTR)
                return;
            if (fds[0].revents)
                return;
            if (fds[1].revents & POLLIN)
                OnUdevEvent();
            if (fds[2].revents & POLLIN)
                OnInotifyEvent();
            ReportOverduePending();
        }
    }
};

DeviceMonitor::DeviceMonitor(Handler handler) : m_impl(std::make_unique<Impl>()) {
    m_impl->handler = std::move(handler);
}

DeviceMonitor::~DeviceMonitor() = default;

bool DeviceMonitor::Start() {
    Impl& impl = *m_impl;
    if (impl.thread.joinable())
        return true;
    impl.stopFd = eventfd(0, EFD_CLOEXEC);
    bool udevOk = impl.StartUdev();
    bool vhidOk = impl.StartVhid();
    if (!udevOk && impl.monitor) {
        udev_monitor_unref(impl.monitor);
        impl.monitor = nullptr;
    }
    if (impl.stopFd < 0 || (!udevOk && !vhidOk))
        return false;
    if (vhidOk)
        impl.RememberPresentVhids();
    impl.thread = std::thread([&impl] { impl.Run(); });
    return true;
}

} // namespace platform
