#include "app/decode/track_frame.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Record(char status, const std::string& data) {
    Bytes record(2 + data.size());
    record[0] = static_cast<uint8_t>(status);
    record[1] = static_cast<uint8_t>(data.size());
    std::copy(data.begin(), data.end(), record.begin() + 2);
    return record;
}

// LEN, type, 'Y', flags, three unread bytes, then the records.
Bytes TrackFrame(char type, uint8_t flags, const std::vector<Bytes>& records) {
    Bytes frame{0, 0, static_cast<uint8_t>(type), 'Y', flags, 0x11, 0x22, 0x33};
    for (const Bytes& record : records) {
        for (const uint8_t byte : record)
            frame.push_back(byte);
    }
    frame[0] = static_cast<uint8_t>((frame.size() - 2) >> 8);
    frame[1] = static_cast<uint8_t>(frame.size() - 2);
    return frame;
}

TrackStatusCounters Counters(std::initializer_list<int> first7, int results) {
    TrackStatusCounters counters{};
    int i = 0;
    for (const int value : first7)
        counters[i++] = value;
    counters[kCounterResults] = results;
    return counters;
}

TEST(TrackFrame, AllTracksShowDataAndErrorWords) {
    CardSwipeStats stats;
    const Bytes frame =
        TrackFrame('A', 0x13, {Record('Y', "ABC"), Record('B', ""), Record('N', "")});
    const TrackFrameView view = DecodeAllTracksFrame(frame, stats);

    ASSERT_TRUE(view.hasData);
    EXPECT_EQ(stats.m_nSwipeCount, 1);
    EXPECT_EQ(view.tracks[0].text, "ABC");
    EXPECT_EQ(view.tracks[0].length, 3);
    EXPECT_EQ(view.tracks[1].text, "Blank error");
    EXPECT_EQ(view.tracks[2].text, "Lenght = 0");
    EXPECT_EQ(stats.m_trackCounters[0], Counters({1, 0, 0, 0, 0, 0, 0}, 1));
    EXPECT_EQ(stats.m_trackCounters[1], Counters({0, 1, 0, 0, 0, 0, 0}, 1));
    EXPECT_EQ(stats.m_trackCounters[2], Counters({0, 0, 0, 0, 0, 0, 1}, 1));
    EXPECT_EQ(view.decodeModes, (std::array<bool, 5>{true, true, false, false, true}));
    for (const TrackView& track : view.tracks)
        EXPECT_TRUE(track.touched);
    EXPECT_EQ(view.tracks[0].rate, "100.00");
    EXPECT_EQ(view.tracks[1].rate, "0.00");
}

TEST(TrackFrame, EveryStatusLetterHasItsCounterAndWord) {
    struct Case {
        char letter;
        int counter; // -1: none
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {'Y', 0, "DATA"},         {'B', 1, "Blank error"}, {'S', 2, "S error"},
        {'P', 3, "P error"},      {'E', 4, "E error"},     {'L', 5, "L error"},
        {'N', 6, "Lenght = 0"},   {'X', -1, std::nullopt}, {'y', -1, std::nullopt},
        {'\0', -1, std::nullopt},
    };
    for (const Case& c : cases) {
        CardSwipeStats stats;
        const TrackFrameView view =
            DecodeSingleTrackFrame(TrackFrame('F', 0, {Record(c.letter, "DATA")}), 1, stats);
        EXPECT_EQ(view.tracks[1].text, c.text) << c.letter;
        EXPECT_EQ(view.tracks[1].length, 4) << c.letter; // shown whatever the letter
        TrackStatusCounters expected{};
        if (c.counter >= 0)
            expected[c.counter] = 1;
        expected[kCounterResults] = 1;
        EXPECT_EQ(stats.m_trackCounters[1], expected) << c.letter;
    }
}

TEST(TrackFrame, DataTextEndsAtZeroWhileBitsShowEveryByte) {
    CardSwipeStats stats;
    const std::string data("AB\0C", 4);
    EXPECT_EQ(
        DecodeSingleTrackFrame(TrackFrame('E', 0, {Record('Y', data)}), 0, stats).tracks[0].text,
        "AB");
    EXPECT_EQ(DecodeSingleTrackFrame(TrackFrame('E', 0x80, {Record('Y', "\x41\x80")}), 0, stats)
                  .tracks[0]
                  .text,
              "0100000110000000");
    EXPECT_EQ(DecodeSingleTrackFrame(TrackFrame('E', 0x80, {Record('Y', data)}), 0, stats)
                  .tracks[0]
                  .text->size(),
              32u);
    // Card bytes are Latin-1; the view is UTF-8 for the control.
    EXPECT_EQ(
        DecodeSingleTrackFrame(TrackFrame('E', 0, {Record('Y', "\xE9")}), 0, stats).tracks[0].text,
        "é");
    const TrackView empty =
        DecodeSingleTrackFrame(TrackFrame('E', 0, {Record('Y', "")}), 0, stats).tracks[0];
    EXPECT_EQ(empty.text, "");
    EXPECT_EQ(stats.m_trackCounters[0][kCounterSuccess], 5);
}

TEST(TrackFrame, RatesFollowSuccessesOverSwipes) {
    CardSwipeStats stats;
    const Bytes good = TrackFrame(0x00, 0, {Record('Y', "1"), Record('Y', "2"), Record('B', "")});
    const Bytes bad = TrackFrame(0x00, 0, {Record('S', ""), Record('Y', "2"), Record('B', "")});
    EXPECT_EQ(DecodeAllTracksFrame(good, stats).tracks[0].rate, "100.00");
    DecodeAllTracksFrame(bad, stats);
    const TrackFrameView view = DecodeAllTracksFrame(good, stats);
    EXPECT_EQ(stats.m_nSwipeCount, 3);
    EXPECT_EQ(view.tracks[0].rate, "66.67");
    EXPECT_EQ(view.tracks[1].rate, "100.00");
    EXPECT_EQ(view.tracks[2].rate, "0.00");
}

TEST(TrackFrame, SingleTrackFramesCountASwipeEachAndTouchOnlyTheirTrack) {
    CardSwipeStats stats;
    const char types[] = {'E', 'F', 'G'};
    const char* rates[] = {"100.00", "50.00", "33.33"};
    for (int track = 0; track < kTrackCount; ++track) {
        const TrackFrameView view = DecodeSingleTrackFrame(
            TrackFrame(types[track], 0x01, {Record('Y', "ok")}), track, stats);
        EXPECT_EQ(stats.m_nSwipeCount, track + 1);
        for (int other = 0; other < kTrackCount; ++other) {
            EXPECT_EQ(view.tracks[other].touched, other == track);
            EXPECT_EQ(view.tracks[other].rate.has_value(), other == track);
        }
        EXPECT_EQ(view.tracks[track].rate, rates[track]);
        EXPECT_EQ(stats.m_trackCounters[track][kCounterResults], 1);
        EXPECT_EQ(view.decodeModes, (std::array<bool, 5>{true, false, false, false, false}));
    }
}

TEST(TrackFrame, RecordsPastTheFrameEndReadZeros) {
    CardSwipeStats stats;
    // Track 1 says 10 bytes but the frame stops after 3; tracks 2 and 3 are missing.
    Bytes frame = TrackFrame('A', 0, {Record('Y', "ABC")});
    frame[9] = 10;
    const TrackFrameView view = DecodeAllTracksFrame(frame, stats);
    EXPECT_EQ(view.tracks[0].text, "ABC");
    EXPECT_EQ(view.tracks[0].length, 10);
    for (int track : {1, 2}) {
        EXPECT_TRUE(view.tracks[track].touched);
        EXPECT_EQ(view.tracks[track].status, 0);
        EXPECT_EQ(view.tracks[track].text, std::nullopt);
        EXPECT_EQ(view.tracks[track].length, 0);
        EXPECT_EQ(stats.m_trackCounters[track], Counters({}, 1));
    }

    // Only the flags byte: every record reads zeros.
    const Bytes flagsOnly{0x00, 0x03, 'A', 'Y', 0x1F};
    const TrackFrameView flagsView = DecodeAllTracksFrame(flagsOnly, stats);
    EXPECT_TRUE(flagsView.hasData);
    EXPECT_EQ(flagsView.decodeModes, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(stats.m_nSwipeCount, 2);
}

TEST(TrackFrame, LongestRecordsStayInsideTheirBuffers) {
    CardSwipeStats stats;
    const std::string data(255, 'Z');
    const TrackFrameView view = DecodeAllTracksFrame(
        TrackFrame('A', 0, {Record('Y', data), Record('Y', data), Record('Y', data)}), stats);
    for (const TrackView& track : view.tracks) {
        EXPECT_EQ(track.text, data);
        EXPECT_EQ(track.length, 255);
    }
}

TEST(TrackFrame, NoDataAfterTypeAndStatusChangesNothing) {
    const Bytes frames[] = {{0x00, 0x02, 'A', 'Y'}, {0x00, 0x02, 'A'}, {}};
    for (const Bytes& frame : frames) {
        CardSwipeStats stats;
        EXPECT_FALSE(DecodeAllTracksFrame(frame, stats).hasData);
        EXPECT_FALSE(DecodeSingleTrackFrame(frame, 2, stats).hasData);
        EXPECT_EQ(stats.m_nSwipeCount, 0);
        EXPECT_EQ(stats.m_trackCounters[0][kCounterResults], 0);
    }
    CardSwipeStats stats;
    EXPECT_FALSE(DecodeSingleTrackFrame(TrackFrame('E', 0, {Record('Y', "A")}), 3, stats).hasData);
    EXPECT_EQ(stats.m_nSwipeCount, 0);
}

} // namespace
