#pragma once
// Card text from a reader in transparent mode: one burst is one swipe, split
// into tracks by the sentinels. A start sentinel makes its track the open one
// (its text goes on where it stood), only a track's own end sentinel shows
// it, with both sentinels, and other characters go to the open track.

#include "app/decode/card_swipe_stats.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

struct CustomDataView {
    bool counted = false; // false for an empty text: change nothing
    // Everything below is UTF-8 for the controls; every track text and count
    // is set, empty and 0 for a track that was not closed.
    std::string rawText;
    std::array<std::string, kTrackCount> trackTexts;
    std::array<int, kTrackCount> counts{};
    std::array<bool, kTrackCount> blankCounted{}; // show stats.m_nBlankCount
    std::array<std::optional<std::string>, kTrackCount> rates;
};

// text is Latin-1 bytes; only the bytes before its first zero count.
CustomDataView ParseCustomData(std::string_view text, const TrackSentinels& sentinels,
                               CardSwipeStats& stats);
