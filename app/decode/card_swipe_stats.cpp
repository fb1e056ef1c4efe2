#include "app/decode/card_swipe_stats.h"

#include <charconv>

namespace {

// Locale-free, since the program runs under the user's locale and a comma
// would change the text.
std::optional<std::string> Percentage(double part, int whole) {
    if (whole <= 0)
        return std::nullopt;
    const double rate = part / static_cast<double>(whole) * 100.0;
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed, 2);
    if (error != std::errc())
        return std::nullopt;
    return std::string(text, end);
}

} // namespace

bool SentinelMatches(unsigned char received, uint8_t sentinel) {
    return sentinel != 0 && sentinel < 0x80 && received == sentinel;
}

std::optional<std::string> FrameSuccessRate(const CardSwipeStats& stats, int track) {
    return Percentage(stats.m_trackCounters[track][kCounterSuccess], stats.m_nSwipeCount);
}

std::optional<std::string> TextSuccessRate(const CardSwipeStats& stats, int track) {
    const double notBlank = static_cast<double>(stats.m_nSwipeCount) - stats.m_nBlankCount[track];
    return Percentage(notBlank, stats.m_nSwipeCount);
}
