#include "app/decode/hex_edit_filter.h"

#include "app/decode/utf8_text.h"

#include <algorithm>

namespace {

bool IsHexEditChar(std::string_view character) {
    if (character.size() != 1)
        return false;
    const char c = character[0];
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == ' ';
}

} // namespace

HexEditText HexOnlyEditFilter(std::string_view text, int caret) {
    const std::vector<size_t> starts = Utf8CharStarts(text);
    const int charCount = static_cast<int>(starts.size()) - 1;
    const int end = std::clamp(caret, 0, charCount);
    int begin = end;
    while (begin > 0 &&
           !IsHexEditChar(text.substr(starts[begin - 1], starts[begin] - starts[begin - 1])))
        --begin;
    HexEditText result;
    result.caret = begin;
    result.changed = begin != end;
    result.text = std::string(text.substr(0, starts[begin]));
    result.text += text.substr(starts[end]);
    return result;
}
