#include "app/decode/utf8_text.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed sequence at pos, or 1 when there is none.
size_t SequenceLength(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 1 || pos + length > text.size())
        return 1;
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i])))
            return 1;
    }
    return length;
}

} // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> Utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const size_t length = SequenceLength(text, pos);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else if (length == 2 && lead <= 0xC3) {
            const auto trail = static_cast<unsigned char>(text[pos + 1]);
            bytes += static_cast<char>(((lead & 0x1F) << 6) | (trail & 0x3F));
        } else {
            return std::nullopt;
        }
        pos += length;
    }
    return bytes;
}

std::vector<size_t> Utf8CharStarts(std::string_view text) {
    std::vector<size_t> starts;
    for (size_t pos = 0; pos < text.size(); pos += SequenceLength(text, pos))
        starts.push_back(pos);
    starts.push_back(text.size());
    return starts;
}
