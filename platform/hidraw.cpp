#include "platform/hidraw.h"

#include "platform/hid_descriptor.h"
#include "platform/permission_notice.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <linux/hidraw.h>
#include <memory>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

constexpr const char* kDevDir = "/dev";
constexpr const char* kNodePrefix = "hidraw";
constexpr const char* kUdevRule = "packaging/70-txv-reader.rules";

// The ids the udev rule grants access to.
bool IsReaderId(unsigned vendor, unsigned product) {
    return (vendor == 0x0483 && product == 0x572B) || (vendor == 0x5131 && product == 0x2007);
}

// Node number of "hidraw<N>", or -1.
long NodeNumber(const std::string& name) {
    std::string prefix = kNodePrefix;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    long number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > 1000000)
            return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

// The ids of a node from sysfs, readable without opening the node.
bool SysfsIds(const std::string& node, unsigned* vendor, unsigned* product) {
    std::string name = node.substr(node.find_last_of('/') + 1);
    std::ifstream uevent("/sys/class/hidraw/" + name + "/device/uevent");
    std::string line;
    while (std::getline(uevent, line)) {
        unsigned bus = 0;
        if (std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, vendor, product) == 3)
            return true;
    }
    return false;
}

// Once per node and process, and only for a reader: other HID devices are
// commonly closed to users, and the rule would not help them.
void ReportPermissionDenied(const std::string& node) {
    unsigned vendor = 0;
    unsigned product = 0;
    if (!SysfsIds(node, &vendor, &product) || !IsReaderId(vendor, product))
        return;
    ReportPermissionDeniedOnce(node, std::string("install the udev rule ") + kUdevRule +
                                         " into /etc/udev/rules.d and plug the reader in again");
}

// Opened for reading and writing, non-blocking (callers poll()); errno tells
// why a node did not open.
int OpenNode(const std::string& node) {
    return open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

bool ReadCaps(int fd, HidrawNode* out) {
    int size = 0;
    if (ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE)
        return false;
    auto descriptor = std::make_unique<hidraw_report_descriptor>();
    descriptor->size = unsigned(size);
    if (ioctl(fd, HIDIOCGRDESC, descriptor.get()) < 0)
        return false;
    HidReportSizes sizes;
    if (!ParseHidReportDescriptor(descriptor->value,
                                  std::min<size_t>(descriptor->size, size_t(size)), &sizes))
        return false;
    out->caps.inputReportLength = sizes.inputReportLength;
    out->caps.outputReportLength = sizes.outputReportLength;
    out->usesReportIds = sizes.usesReportIds;
    return true;
}

} // namespace

std::vector<std::string> ListHidrawNodes() {
    std::vector<std::pair<long, std::string>> found;
    if (DIR* dir = opendir(kDevDir)) {
        while (dirent* entry = readdir(dir)) {
            long number = NodeNumber(entry->d_name);
            if (number >= 0)
                found.emplace_back(number, std::string(kDevDir) + "/" + entry->d_name);
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> nodes;
    for (auto& [number, path] : found)
        nodes.push_back(std::move(path));
    return nodes;
}

std::vector<std::string> ListDeniedHidrawNodes(uint16_t vendorId, uint16_t productId) {
    std::vector<std::string> denied;
    for (const std::string& node : ListHidrawNodes()) {
        unsigned vendor = 0;
        unsigned product = 0;
        if (!SysfsIds(node, &vendor, &product) || vendor != vendorId || product != productId)
            continue;
        int fd = OpenNode(node);
        if (fd >= 0) {
            close(fd);
        } else if (errno == EACCES) {
            ReportPermissionDenied(node);
            denied.push_back(node);
        }
    }
    return denied;
}

bool OpenHidrawNode(const std::string& node, HidrawNode* out) {
    int fd = OpenNode(node);
    if (fd < 0) {
        if (errno == EACCES)
            ReportPermissionDenied(node);
        return false;
    }
    hidraw_devinfo info{};
    if (ioctl(fd, HIDIOCGRAWINFO, &info) < 0) {
        close(fd);
        return false;
    }
    out->fd = fd;
    out->attributes.vendorId = uint16_t(info.vendor);
    out->attributes.productId = uint16_t(info.product);
    out->capsKnown = ReadCaps(fd, out);
    return true;
}

} // namespace platform
