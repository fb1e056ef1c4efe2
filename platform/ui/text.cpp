#include "platform/ui/text.h"

#include <cstdint>

namespace ui {

std::string FromLatin1Bytes(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80) {
            utf8.push_back(static_cast<char>(byte));
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

std::string ToLatin1Bytes(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        if (lead < 0x80) {
            bytes.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        // Length of the sequence by its lead byte; 0 for a byte that cannot lead.
        const size_t length = (lead & 0xE0) == 0xC0   ? 2
                              : (lead & 0xF0) == 0xE0 ? 3
                              : (lead & 0xF8) == 0xF0 ? 4
                                                      : 0;
        size_t valid = 1;
        while (length > 0 && valid < length && i + valid < utf8.size() &&
               (static_cast<uint8_t>(utf8[i + valid]) & 0xC0) == 0x80) {
            ++valid;
        }
        if (length == 2 && valid == 2 && lead >= 0xC2 && lead <= 0xC3) {
            const auto trail = static_cast<uint8_t>(utf8[i + 1]);
            bytes.push_back(static_cast<char>(((lead & 0x1F) << 6) | (trail & 0x3F)));
        } else {
            bytes.push_back('?');
        }
        i += valid;
    }
    return bytes;
}

} // namespace ui
