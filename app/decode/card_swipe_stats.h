#pragma once
// The swipe statistics of the card-swipe test page, shared by card-data
// frames, keyboard-mode typing and transparent text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kTrackCount = 3;

// Per track: [0] 'Y' success, [1] 'B' blank, [2] 'S', [3] 'P', [4] 'E',
// [5] 'L' errors, [6] 'N' zero length, [7] every record (never shown).
using TrackStatusCounters = std::array<int, 8>;
inline constexpr int kCounterSuccess = 0;
inline constexpr int kCounterResults = 7;

// Track 1 start, track 1 end, track 2 start, track 2 end, track 3 ...
inline constexpr std::array<uint8_t, 6> kDefaultTrackSentinels = {'%', '?', ';', '?', '+', '?'};

struct TrackSentinels {
    std::array<uint8_t, 6> chars = kDefaultTrackSentinels;
    uint8_t Start(int track) const { return chars[2 * track]; }
    uint8_t End(int track) const { return chars[2 * track + 1]; }
};

// Only sentinels from 0x01 to 0x7F match; 0 and 0x80 to 0xFF switch a
// sentinel off (0xFF is the serial reader's empty sentinel).
bool SentinelMatches(unsigned char received, uint8_t sentinel);

struct CardSwipeStats {
    int m_nSwipeCount = 0;
    std::array<TrackStatusCounters, kTrackCount> m_trackCounters{};
    std::array<int, kTrackCount> m_nBlankCount{}; // text parsers only
};

// Success rate texts, "%4.2f" of a percentage; none while no swipe counts.
// Frames rate a track by its success counter, the text parsers by the swipes
// in which the track was not blank.
std::optional<std::string> FrameSuccessRate(const CardSwipeStats& stats, int track);
std::optional<std::string> TextSuccessRate(const CardSwipeStats& stats, int track);
