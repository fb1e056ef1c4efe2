#include "app/decode/keyboard_track_parser.h"
#include "app/decode/transparent_text.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::array<std::string, kTrackCount>;

class KeyboardModeTest : public ::testing::Test {
protected:
    // Types the characters one by one at the end of the raw-data edit.
    KeyboardChangeView Type(const std::vector<std::string>& keys) {
        KeyboardChangeView view;
        for (const std::string& key : keys) {
            m_raw += key;
            view = m_parser.OnChange(m_raw, m_sentinels);
        }
        return view;
    }
    KeyboardChangeView Type(const std::string& ascii) {
        std::vector<std::string> keys;
        for (const char c : ascii)
            keys.emplace_back(1, c);
        return Type(keys);
    }

    TrackSentinels m_sentinels;
    KeyboardTrackParser m_parser;
    CardSwipeStats m_stats;
    std::string m_raw;
};

TEST_F(KeyboardModeTest, ThreeTracksThenSwipeEnd) {
    const KeyboardChangeView last = Type("%ABC?;123?+9?");
    EXPECT_TRUE(last.showTracks);
    EXPECT_EQ(last.trackTexts, (Texts{"ABC", "123", "9"}));
    EXPECT_EQ(last.countTrack, -1); // an end sentinel is not appended
    EXPECT_EQ(m_parser.OpenTrack(), -1);

    const SwipeEndView end = m_parser.EndSwipe(m_stats);
    EXPECT_EQ(m_stats.m_nSwipeCount, 1);
    EXPECT_EQ(end.lengths, (std::array<int, 3>{3, 3, 1}));
    EXPECT_EQ(end.blankCounted, (std::array<bool, 3>{}));
    for (const auto& rate : end.rates)
        EXPECT_EQ(rate, "100.00");
    EXPECT_EQ(m_parser.TrackTexts(), Texts{});
}

TEST_F(KeyboardModeTest, ShownTextsLagOneCharacterAndCountsFollowTheOpenTrack) {
    KeyboardChangeView view = Type("%AB");
    EXPECT_EQ(view.trackTexts[0], "A");
    EXPECT_EQ(view.countTrack, 0);
    EXPECT_EQ(view.count, 2);
    view = Type(std::vector<std::string>{"é", "中"});
    EXPECT_EQ(view.count, 4); // characters, not bytes
    EXPECT_EQ(m_parser.TrackTexts()[0], "ABé中");
}

TEST_F(KeyboardModeTest, SentinelSequences) {
    struct Case {
        std::string typed;
        Texts texts;
        int open;
    };
    const Case cases[] = {
        {"%AB%CD?", {"CD", "", ""}, -1},    // a track restarts at its own start sentinel
        {";12%34?", {"", "12%34", ""}, -1}, // other start sentinels are data
        {"+9;8?", {"", "", "9;8"}, -1},     {"%AB;", {"AB;", "", ""}, 0},
        {"xyz?%", {"", "", ""}, 0}, // idle characters are dropped
        {"%A??", {"A", "", ""}, -1},
    };
    for (const Case& c : cases) {
        KeyboardTrackParser parser;
        std::string raw;
        for (const char ch : c.typed) {
            raw += ch;
            parser.OnChange(raw, m_sentinels);
        }
        EXPECT_EQ(parser.TrackTexts(), c.texts) << c.typed;
        EXPECT_EQ(parser.OpenTrack(), c.open) << c.typed;
    }
}

TEST_F(KeyboardModeTest, TrackWithoutEndSentinelStaysOpenIntoTheNextSwipe) {
    Type(";12");
    const SwipeEndView first = m_parser.EndSwipe(m_stats);
    EXPECT_EQ(first.lengths, (std::array<int, 3>{0, 2, 0}));
    m_raw.clear();
    Type("%X?");
    EXPECT_EQ(m_parser.TrackTexts()[1], "%X");
    EXPECT_EQ(m_parser.TrackTexts()[0], "");
}

TEST_F(KeyboardModeTest, BlankTracksLowerTheirRates) {
    Type(";123?");
    const SwipeEndView end = m_parser.EndSwipe(m_stats);
    EXPECT_EQ(end.blankCounted, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(m_stats.m_nBlankCount, (std::array<int, 3>{1, 0, 1}));
    EXPECT_EQ(end.rates[0], "0.00");
    EXPECT_EQ(end.rates[1], "100.00");
    m_raw.clear();
    Type("%A?;1?+2?");
    EXPECT_EQ(m_parser.EndSwipe(m_stats).rates[0], "50.00");
}

TEST_F(KeyboardModeTest, DeletionReexaminesTheNewLastCharacter) {
    Type("%AB");
    m_raw.pop_back();
    const KeyboardChangeView view = m_parser.OnChange(m_raw, m_sentinels);
    EXPECT_EQ(view.trackTexts[0], "AB");
    EXPECT_EQ(m_parser.TrackTexts()[0], "ABA");

    m_raw.clear();
    EXPECT_FALSE(m_parser.OnChange(m_raw, m_sentinels).showTracks);
    const SwipeEndView end = m_parser.EndSwipe(m_stats);
    EXPECT_EQ(end.blankCounted, (std::array<bool, 3>{false, true, true}));
}

TEST_F(KeyboardModeTest, SwitchedOffSentinelsNeverMatch) {
    for (const uint8_t off : {uint8_t{0xFF}, uint8_t{0x00}, uint8_t{0xA7}}) {
        TrackSentinels sentinels;
        sentinels.chars.fill(off);
        KeyboardTrackParser parser;
        std::string raw;
        for (const std::string key : {"%", "\xFF", "\xC2\xA7", "A", "?"}) {
            raw += key;
            parser.OnChange(raw, sentinels);
        }
        EXPECT_EQ(parser.OpenTrack(), -1) << int{off};
        EXPECT_EQ(parser.TrackTexts(), Texts{}) << int{off};
    }
}

TEST(TransparentText, TracksAreSplitBySentinels) {
    struct Case {
        std::string text;
        Texts shown;
        std::array<int, 3> counts;
        std::array<bool, 3> blank;
    };
    const Case cases[] = {
        {"%ABC?;123?", {"%ABC?", ";123?", ""}, {3, 3, 0}, {false, false, true}},
        // The % switches to track 1; track 2 has text, so it is not blank.
        {";12%34?", {"%34?", "", ""}, {2, 0, 0}, {false, false, true}},
        {"hello", {"", "", ""}, {0, 0, 0}, {true, true, true}},
        // A repeated start sentinel goes on with the same text.
        {"%A?%B?", {"%AB?", "", ""}, {2, 0, 0}, {false, true, true}},
        {"+9?;1??", {"", ";1?", "+9?"}, {0, 1, 1}, {true, false, false}},
        {"%?", {"%?", "", ""}, {0, 0, 0}, {true, true, true}},
        {std::string("%A\0B?", 5), {"", "", ""}, {0, 0, 0}, {false, true, true}},
        {"%\xE9?", {"%é?", "", ""}, {1, 0, 0}, {false, true, true}},
    };
    for (const Case& c : cases) {
        CardSwipeStats stats;
        const CustomDataView view = ParseCustomData(c.text, TrackSentinels{}, stats);
        EXPECT_TRUE(view.counted) << c.text;
        EXPECT_EQ(stats.m_nSwipeCount, 1);
        EXPECT_EQ(view.trackTexts, c.shown) << c.text;
        EXPECT_EQ(view.counts, c.counts) << c.text;
        EXPECT_EQ(view.blankCounted, c.blank) << c.text;
        for (int track = 0; track < kTrackCount; ++track) {
            EXPECT_EQ(stats.m_nBlankCount[track], c.blank[track] ? 1 : 0);
            EXPECT_EQ(view.rates[track], c.blank[track] ? "0.00" : "100.00") << c.text;
        }
    }
}

TEST(TransparentText, RawTextAndCounting) {
    CardSwipeStats stats;
    EXPECT_FALSE(ParseCustomData("", TrackSentinels{}, stats).counted);
    EXPECT_FALSE(ParseCustomData(std::string("\0%A?", 4), TrackSentinels{}, stats).counted);
    EXPECT_EQ(stats.m_nSwipeCount, 0);

    const CustomDataView view = ParseCustomData("%\xE9?", TrackSentinels{}, stats);
    EXPECT_EQ(view.rawText, "%é?");
    ParseCustomData(";1?", TrackSentinels{}, stats);
    EXPECT_EQ(stats.m_nSwipeCount, 2);
    const CustomDataView third = ParseCustomData("%1?", TrackSentinels{}, stats);
    EXPECT_EQ(third.rates[0], "66.67");
    EXPECT_EQ(third.rates[1], "33.33");
}

TEST(TransparentText, OwnSentinelsAndSwitchedOffOnes) {
    TrackSentinels sentinels;
    sentinels.chars = {'[', ']', '<', '>', 0xFF, 0xFF};
    CardSwipeStats stats;
    const CustomDataView view = ParseCustomData("[A]<B>%C?\xFF", sentinels, stats);
    EXPECT_EQ(view.trackTexts, (Texts{"[A]", "<B>", ""}));
    EXPECT_TRUE(view.blankCounted[2]);
}

} // namespace
