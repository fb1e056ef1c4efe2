// Hex text typed by the operator: the byte rule, the console's pieces and the
// edit filter (the first byte places the caret).

#include "app/decode/hex_edit_filter.h"
#include "app/decode/hex_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    HexStrToByte(text);
    std::vector<uint8_t> bytes;
    HexTextToBytes(text, bytes);
    if (bytes.size() > size / 2 + 1)
        __builtin_trap();

    if (size == 0)
        return 0;
    const int caret = static_cast<int>(data[0]) - 8;
    const HexEditText filtered = HexOnlyEditFilter(text.substr(1), caret);
    if (filtered.text.size() > size - 1 || filtered.caret < 0 ||
        filtered.caret > std::max(caret, 0))
        __builtin_trap();
    return 0;
}
