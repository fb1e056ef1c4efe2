#include "platform/tty_node.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr const char* kTtyDriversPath = "/proc/tty/drivers";
// The table holds a line per driver; far more than any machine needs.
constexpr size_t kMaxTtyDriversSize = 64 * 1024;

// Driver types whose nodes a reader may sit behind.
constexpr std::string_view kSerialType = "serial";
constexpr std::string_view kPtySlaveType = "pty:slave";

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        if (end > pos)
            fields.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

// A decimal number of at most 32 bits, nothing else.
std::optional<uint32_t> Number(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return uint32_t(value);
}

struct Range {
    uint32_t first;
    uint32_t last;
};

// "a" or "a-b" with a <= b.
std::optional<Range> MinorRange(std::string_view text) {
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        auto single = Number(text);
        return single ? std::optional<Range>(Range{*single, *single}) : std::nullopt;
    }
    auto first = Number(text.substr(0, dash));
    auto last = Number(text.substr(dash + 1));
    if (!first || !last || *first > *last)
        return std::nullopt;
    return Range{*first, *last};
}

// Whether one line of the table names a reader's kind of driver serving
// nodeMajor:nodeMinor. The driver's name may hold spaces, so the line is read
// from its end: node prefix, major, minors, type.
bool LineServes(std::string_view line, uint32_t nodeMajor, uint32_t nodeMinor) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 5)
        return false;
    const size_t n = fields.size();
    const std::string_view type = fields[n - 1];
    if (type != kSerialType && type != kPtySlaveType)
        return false;
    auto lineMajor = Number(fields[n - 3]);
    auto minors = MinorRange(fields[n - 2]);
    return lineMajor && minors && *lineMajor == nodeMajor && nodeMinor >= minors->first &&
           nodeMinor <= minors->last;
}

} // namespace

bool IsSerialLineNode(const struct stat& node, std::string_view ttyDrivers) {
    if (!S_ISCHR(node.st_mode))
        return false;
    const uint32_t nodeMajor = major(node.st_rdev);
    const uint32_t nodeMinor = minor(node.st_rdev);
    while (!ttyDrivers.empty()) {
        const size_t end = ttyDrivers.find('\n');
        if (LineServes(ttyDrivers.substr(0, end), nodeMajor, nodeMinor))
            return true;
        ttyDrivers.remove_prefix(end == std::string_view::npos ? ttyDrivers.size() : end + 1);
    }
    return false;
}

std::string ReadTtyDrivers() {
    const int fd = open(kTtyDriversPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    std::array<char, 4096> chunk{};
    while (text.size() <= kMaxTtyDriversSize) {
        const ssize_t n = read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(chunk.data(), size_t(n));
    }
    close(fd);
    // A line cut short could read as a narrower or other range.
    const size_t lastNewline = text.rfind('\n');
    text.resize(lastNewline == std::string::npos ? 0 : lastNewline + 1);
    return text;
}

} // namespace platform
