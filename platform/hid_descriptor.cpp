#include "platform/hid_descriptor.h"

#include <array>
#include <vector>

namespace platform {

namespace {

// Item prefixes with their size bits masked off.
constexpr uint8_t kInput = 0x80;
constexpr uint8_t kOutput = 0x90;
constexpr uint8_t kReportSize = 0x74;
constexpr uint8_t kReportId = 0x84;
constexpr uint8_t kReportCount = 0x94;
constexpr uint8_t kPush = 0xA4;
constexpr uint8_t kPop = 0xB4;
constexpr uint8_t kLongItem = 0xFE;

constexpr size_t kMaxPushDepth = 32;
constexpr uint64_t kMaxReportBits = 65535u * 8u;

struct Globals {
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

// Bits of every report of one kind, indexed by report id.
using ReportBits = std::array<uint64_t, 256>;

bool AddField(ReportBits& bits, const Globals& g) {
    uint64_t& total = bits[g.reportId];
    // total stays within kMaxReportBits, so this sum cannot wrap.
    total += uint64_t(g.reportSize) * g.reportCount;
    return total <= kMaxReportBits;
}

int LongestReport(const ReportBits& bits) {
    uint64_t longest = 0;
    for (uint64_t b : bits)
        longest = b > longest ? b : longest;
    return longest == 0 ? 0 : int((longest + 7) / 8) + 1;
}

} // namespace

bool ParseHidReportDescriptor(const uint8_t* descriptor, size_t length, HidReportSizes* out) {
    if (descriptor == nullptr && length != 0)
        return false;
    ReportBits inputBits{};
    ReportBits outputBits{};
    Globals globals;
    std::vector<Globals> stack;
    bool usesReportIds = false;

    size_t pos = 0;
    while (pos < length) {
        uint8_t prefix = descriptor[pos++];
        if (prefix == kLongItem) {
            if (length - pos < 2)
                return false;
            size_t dataSize = descriptor[pos];
            pos += 2;
            if (length - pos < dataSize)
                return false;
            pos += dataSize;
            continue;
        }
        size_t dataSize = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (length - pos < dataSize)
            return false;
        uint32_t value = 0;
        for (size_t i = 0; i < dataSize; ++i)
            value |= uint32_t(descriptor[pos + i]) << (8 * i);
        pos += dataSize;

        switch (prefix & 0xFC) {
        case kInput:
            if (!AddField(inputBits, globals))
                return false;
            break;
        case kOutput:
            if (!AddField(outputBits, globals))
                return false;
            break;
        case kReportSize:
            globals.reportSize = value;
            break;
        case kReportCount:
            globals.reportCount = value;
            break;
        case kReportId:
            if (value == 0 || value > 255)
                return false;
            globals.reportId = value;
            usesReportIds = true;
            break;
        case kPush:
            if (stack.size() == kMaxPushDepth)
                return false;
            stack.push_back(globals);
            break;
        case kPop:
            if (stack.empty())
                return false;
            globals = stack.back();
            stack.pop_back();
            break;
        default:
            break;
        }
    }

    out->inputReportLength = LongestReport(inputBits);
    out->outputReportLength = LongestReport(outputBits);
    out->usesReportIds = usesReportIds;
    return true;
}

} // namespace platform
