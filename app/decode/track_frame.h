#pragma once
// Card-data frames: LEN (2 bytes), type, status, flags, 3 bytes not read,
// then one track record (types 'E', 'F', 'G') or three (0x00, 'A'). A record
// is a status letter, a length n and n data bytes. Every field is read as if
// zero bytes followed the frame, so a short or lying frame reads zeros and
// nothing is read past its buffer.
//
// For every track frame the page first empties the raw-data edit; when the
// view has no data it shows kNoFrameDataText in a box and nothing else.
// Otherwise the status line shows kReadCardOkText, and the page shows the
// swipe count and, for each touched track, its counters from stats.

#include "app/decode/card_swipe_stats.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct TrackView {
    bool touched = false; // the frame carried this track: update its controls
    uint8_t status = 0;   // the record's status letter
    // New track text (UTF-8): the data up to its first zero byte, its bits
    // when flag bit 7 is set, or the error word. None for an unknown letter:
    // the text stays as it was.
    std::optional<std::string> text;
    int length = 0;                  // n, for the character count
    std::optional<std::string> rate; // "%4.2f", when swipes > 0
};

struct TrackFrameView {
    bool hasData = false;                      // the frame is longer than 4 bytes
    std::array<TrackView, kTrackCount> tracks; // tracks 1, 2, 3
    std::array<bool, 5> decodeModes{};         // ISO, AAMVA, CADMV, RAWDATA, JIS_II
};

// Types 0x00 and 'A'. Counts one swipe.
TrackFrameView DecodeAllTracksFrame(std::span<const uint8_t> frame, CardSwipeStats& stats);

// Types 'E', 'F', 'G': track 0, 1 or 2. Counts one swipe. Any other track
// changes nothing and gives a view without data.
TrackFrameView DecodeSingleTrackFrame(std::span<const uint8_t> frame, int track,
                                      CardSwipeStats& stats);
