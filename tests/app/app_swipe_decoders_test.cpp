#include "app/command_bracket.h"
#include "app/decode/card_texts.h"
#include "sim/frames.h"
#include "tests/app/app_swipe_fixture.h"

#include <string>
#include <vector>

namespace {

using sim::Bytes;
using sim::TrackRecord;

Bytes Data(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class SwipeDecoders : public SwipeDialogTest {
protected:
    void Show(const Bytes& frame) { m_dialog->DispatchReaderFrame(frame, TransportHid); }

    std::string Counter(int track, int index) { return PageText(IDC_TRACK_COUNTERS[track][index]); }
};

TEST_F(SwipeDecoders, AllTracksFrameFillsTextsCountersAndStatus) {
    Page().Item(IDC_RAW_DATA).SetText("typed");
    Show(sim::EncodeAllTracksFrame('A', 0x13,
                                   {TrackRecord{'Y', Data("ABC")}, {'B', {}}, {'N', {}}}));
    EXPECT_EQ(PageText(IDC_RAW_DATA), "");
    EXPECT_EQ(Status(), kReadCardOkText);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
    const char* texts[] = {"ABC", "Blank error", "Lenght = 0"};
    const char* lengths[] = {"3", "0", "0"};
    const int counted[] = {0, 1, 6}; // success, blank, length 0
    for (int track = 0; track < kTrackCount; ++track) {
        SCOPED_TRACE(track);
        EXPECT_EQ(PageText(IDC_TRACK_TEXT[track]), texts[track]);
        EXPECT_EQ(PageText(IDC_CHAR_COUNT[track]), lengths[track]);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Counter(track, i), i == counted[track] ? "1" : "0") << i;
        EXPECT_EQ(PageText(IDC_SUCCESS_RATE[track]), track == 0 ? "100.00" : "0.00");
    }
    // Flags 0x13: ISO, AAMVA and JIS_II.
    const bool marked[] = {true, true, false, false, true};
    for (int mode = 0; mode < 5; ++mode)
        EXPECT_EQ(PageText(IDC_DECODE_MARKS[mode]),
                  marked[mode] ? kDecodeModeOnMark : kDecodeModeOffMark)
            << mode;
}

TEST_F(SwipeDecoders, LaterFramesKeepCountingAndUnknownLettersKeepTheText) {
    Show(sim::EncodeAllTracksFrame('A', 0, {TrackRecord{'Y', Data("ONE")}, {}, {}}));
    Show(sim::EncodeAllTracksFrame(0x00, 0, {TrackRecord{'X', Data("LONGER")}, {}, {}}));
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "ONE");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[0]), "6");
    Show(sim::EncodeAllTracksFrame('A', sim::kFlagShowBits,
                                   {TrackRecord{'Y', {0x41, 0x80}}, {}, {}}));
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "0100000110000000");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "3");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[0]), "66.67");
    EXPECT_EQ(Counter(0, 0), "2");
}

TEST_F(SwipeDecoders, SingleTrackFramesTouchOnlyTheirOwnTrack) {
    for (int track = 0; track < kTrackCount; ++track) {
        Page().Item(IDC_CHAR_COUNT[track]).SetText("-");
        Page().Item(IDC_SUCCESS_RATE[track]).SetText("-");
    }
    Show(sim::EncodeTrackFrame(2, 0, {'Y', Data("TRACK3")}));
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[2]), "TRACK3");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[2]), "6");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[2]), "100.00");
    for (int track = 0; track < 2; ++track) {
        EXPECT_EQ(PageText(IDC_CHAR_COUNT[track]), "-") << track;
        EXPECT_EQ(PageText(IDC_SUCCESS_RATE[track]), "-") << track;
    }
    Show(sim::EncodeTrackFrame(0, 0, {'E', {}}));
    Show(sim::EncodeTrackFrame(1, 0, {'P', {}}));
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "3");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "E error");
    EXPECT_EQ(Counter(0, 4), "1");
    EXPECT_EQ(Counter(1, 3), "1");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[1]), "0.00");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[2]), "100.00") << "over the swipe count of its own frame";
}

TEST_F(SwipeDecoders, IButtonFramesShowTheKeyInTheirColour) {
    struct Case {
        Bytes frame;
        std::string_view status;
        std::string hex;
        std::string chars;
        ui::Color colour;
    };
    const Case cases[] = {
        {sim::EncodeIButtonFrame(false, {0x01, 0x41, 0x42}), kIButtonReadText, "01 41 42 ", "AB",
         ui::Rgb(0, 0, 200)},
        {sim::EncodeIButtonFrame(true, {0x30}), kIButtonDetachedText, "30 ", "0",
         ui::Rgb(200, 0, 0)},
    };
    CIBtnDlg& page = m_dialog->m_pageIBtn;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        Show(c.frame);
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(page.Item(IDC_CARD_NO).Text(), c.hex);
        EXPECT_EQ(page.m_lblCardNo.TextColor(), c.colour);
        EXPECT_EQ(page.Item(IDC_CARD_TEXT).Text(), c.chars);
        page.Item(IDC_CARD_TEXT).Redraw();
        EXPECT_EQ(page.Item(IDC_CARD_TEXT).TextColor(), c.colour);
    }
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
}

TEST_F(SwipeDecoders, FramesWithoutDataShowOnlyTheBox) {
    for (const uint8_t type : {uint8_t('A'), uint8_t('E'), uint8_t('a'), uint8_t('b')}) {
        SCOPED_TRACE(type);
        const bool track = type == 'A' || type == 'E';
        Page().Item(IDC_RAW_DATA).SetText("typed");
        SetStatusText(*m_dialog, "kept");
        m_recorder.messageBoxes.clear();
        Show(sim::EncodeLenFrame(type, 'Y', Bytes{}));
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, kNoFrameDataText);
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::None);
        EXPECT_EQ(PageText(IDC_RAW_DATA), track ? "" : "typed");
        EXPECT_EQ(Status(), "kept");
        EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
    }
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(IDC_CARD_NO).Text(), "");
}

} // namespace
