#pragma once
// Card data typed by a reader in keyboard mode into the raw-data edit. At
// every change the parser looks at the last character of the edit's text:
// any end sentinel closes the open track, other characters go to the open
// track, and a start sentinel opens its track afresh when no other track is
// open (inside an open track it is data). The sentinels themselves never
// become track text. A swipe ends after a quiet time, which the page times;
// EndSwipe then counts it. The open track stays open across a swipe end.

#include "app/decode/card_swipe_stats.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

struct KeyboardChangeView {
    bool showTracks = false; // false for an empty text
    // The track texts as they stood before this character (UTF-8).
    std::array<std::string, kTrackCount> trackTexts;
    int countTrack = -1; // the track the character went to, or -1
    int count = 0;       // its new length in characters
};

struct SwipeEndView {
    std::array<int, kTrackCount> lengths{};       // characters of each track text
    std::array<bool, kTrackCount> blankCounted{}; // show stats.m_nBlankCount
    std::array<std::optional<std::string>, kTrackCount> rates;
};

class KeyboardTrackParser {
public:
    // The edit's whole text (UTF-8) after the change.
    KeyboardChangeView OnChange(std::string_view rawText, const TrackSentinels& sentinels);
    // Counts the swipe and empties the track texts.
    SwipeEndView EndSwipe(CardSwipeStats& stats);

    int OpenTrack() const { return m_openTrack; } // -1 when none is open
    const std::array<std::string, kTrackCount>& TrackTexts() const { return m_strTrack; }

private:
    int m_openTrack = -1;
    std::array<std::string, kTrackCount> m_strTrack;
};
