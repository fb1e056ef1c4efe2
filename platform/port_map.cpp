#include "platform/port_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
// More digits than this cannot name a device by number.
constexpr size_t kMaxIndexDigits = 9;

bool IsDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view WithoutDevicePrefix(std::string_view name) {
    if (name.substr(0, kDevicePrefix.size()) == kDevicePrefix)
        name.remove_prefix(kDevicePrefix.size());
    return name;
}

// The digits of a "comN" name (any case), or empty for any other name.
std::string_view ComDigits(std::string_view name) {
    if (name.size() < 4)
        return {};
    for (size_t i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i])
            return {};
    std::string_view digits = name.substr(3);
    return IsDigits(digits) ? digits : std::string_view{};
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// Serial device nodes in the order ttyUSB*, ttyACM*, ttyS*, each by number.
std::vector<std::string> SerialDevices() {
    static constexpr std::string_view kFamilies[] = {"ttyUSB", "ttyACM", "ttyS"};
    struct Node {
        size_t family;
        unsigned long number;
        std::string name;
    };
    std::vector<Node> nodes;
    if (DIR* dir = opendir("/dev")) {
        while (dirent* entry = readdir(dir)) {
            std::string_view name = entry->d_name;
            for (size_t f = 0; f < std::size(kFamilies); ++f) {
                if (name.substr(0, kFamilies[f].size()) != kFamilies[f])
                    continue;
                std::string_view digits = name.substr(kFamilies[f].size());
                if (IsDigits(digits) && digits.size() <= kMaxIndexDigits)
                    nodes.push_back({f, std::strtoul(std::string(digits).c_str(), nullptr, 10),
                                     std::string(name)});
            }
        }
        closedir(dir);
    }
    std::sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    std::vector<std::string> paths;
    for (const Node& n : nodes)
        paths.push_back("/dev/" + n.name);
    return paths;
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string PortsDir() {
    if (std::string dir = EnvOrEmpty("TXV_PORTS_DIR"); !dir.empty())
        return dir;
    if (std::string config = EnvOrEmpty("XDG_CONFIG_HOME"); !config.empty())
        return config + "/txv/ports";
    if (std::string home = EnvOrEmpty("HOME"); !home.empty())
        return home + "/.config/txv/ports";
    return {};
}

bool IsComPortName(std::string_view name) {
    return !ComDigits(WithoutDevicePrefix(name)).empty();
}

std::string ResolvePortName(std::string_view name) {
    name = WithoutDevicePrefix(name);
    std::string_view digits = ComDigits(name);
    if (digits.empty())
        return std::string(name);

    if (std::string dir = PortsDir(); !dir.empty()) {
        std::string link = dir + "/com" + std::string(digits);
        if (Exists(link))
            return link;
    }
    if (digits.size() > kMaxIndexDigits)
        return {};
    unsigned long index = std::strtoul(std::string(digits).c_str(), nullptr, 10);
    std::vector<std::string> devices = SerialDevices();
    if (index == 0 || index > devices.size())
        return {};
    return devices[index - 1];
}

} // namespace platform
