// Card text: the first six bytes are the sentinels, the rest is the text, both
// as transparent text from a COM port and as keyboard-mode typing.

#include "app/decode/keyboard_track_parser.h"
#include "app/decode/transparent_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TrackSentinels sentinels;
    if (size < sentinels.chars.size())
        return 0;
    std::copy_n(data, sentinels.chars.size(), sentinels.chars.begin());
    const std::string_view text(reinterpret_cast<const char*>(data) + sentinels.chars.size(),
                                size - sentinels.chars.size());

    CardSwipeStats stats;
    const CustomDataView view = ParseCustomData(text, sentinels, stats);
    if (view.counted != (stats.m_nSwipeCount == 1))
        __builtin_trap();

    // Typing grows the edit's text one byte at a time; keep it short, since
    // every change looks at the whole text.
    KeyboardTrackParser parser;
    const std::string_view typed = text.substr(0, 512);
    for (size_t length = 0; length <= typed.size(); ++length)
        parser.OnChange(typed.substr(0, length), sentinels);
    parser.EndSwipe(stats);
    return 0;
}
