#include "app/decode/hex_text.h"

namespace {

uint8_t Nibble(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

void AppendPiece(std::string_view piece, std::vector<uint8_t>& out) {
    if (!piece.empty())
        out.push_back(HexStrToByte(piece));
}

} // namespace

uint8_t HexStrToByte(std::string_view text) {
    if (text.size() == 1)
        return Nibble(text[0]);
    if (text.size() == 2)
        return static_cast<uint8_t>(Nibble(text[0]) << 4 | Nibble(text[1]));
    return 0;
}

void HexTextToBytes(std::string_view text, std::vector<uint8_t>& out) {
    size_t pos = 0;
    for (;;) {
        const size_t blank = text.find(' ', pos);
        if (blank == std::string_view::npos || blank == 0)
            break;
        AppendPiece(text.substr(pos, blank - pos), out);
        pos = blank + 1;
    }
    AppendPiece(text.substr(pos), out);
}

std::optional<int> HexDeviceId(std::string_view text) {
    if (text.size() == 2)
        return HexStrToByte(text);
    if (text.size() == 4)
        return HexStrToByte(text.substr(0, 2)) << 8 | HexStrToByte(text.substr(2, 2));
    return std::nullopt;
}
