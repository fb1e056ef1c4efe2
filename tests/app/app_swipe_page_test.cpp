#include "app/decode/card_texts.h"
#include "platform/ui/message_box.h"
#include "tests/app/app_swipe_fixture.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <string>

namespace {

class SwipePage : public SwipeDialogTest {
protected:
    void SetUp() override {
        SwipeDialogTest::SetUp();
        m_dialog->SelectTab(3);
    }

    // Whether the raw-data edit has the focus with its whole text selected.
    bool RawDataFocusedAndSelected() {
        auto* edit = qobject_cast<QPlainTextEdit*>(ui::WidgetOf(Page().Item(IDC_RAW_DATA)));
        if (!edit || !edit->hasFocus())
            return false;
        const QTextCursor cursor = edit->textCursor();
        return cursor.selectionStart() == 0 && cursor.selectionEnd() == edit->toPlainText().size();
    }

    void Type(const char* keys) { QTest::keyClicks(ui::WidgetOf(Page().Item(IDC_RAW_DATA)), keys); }

    // The keyboard-mode swipe ends after its quiet time.
    [[nodiscard]] bool WaitForSwipeCount(const std::string& count) {
        return QTest::qWaitFor([&] { return PageText(IDC_SWIPE_COUNT) == count; }, 5000);
    }
};

TEST_F(SwipePage, CopyButtonsPutTheirControlsTextOnTheClipboard) {
    struct Case {
        int button;
        int source;
        std::string text;
        std::string failure;
    };
    const Case cases[] = {
        {IDC_COPY_TRACK[0], IDC_TRACK_TEXT[0], "track one", "Open clipboard failed!"},
        {IDC_COPY_TRACK[1], IDC_TRACK_TEXT[1], "", "Open clipboard failed!"},
        {IDC_COPY_TRACK[2], IDC_TRACK_TEXT[2], "3", "Open clipboard failed!"},
        {IDC_COPY_RAW_DATA, IDC_RAW_DATA, "%raw?", "Open clipboard Failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Page().Item(c.source).SetText(c.text);
        m_recorder.clipboardTexts.clear();
        m_recorder.SetClipboardResult(true);
        Click(Page(), c.button);
        EXPECT_EQ(m_recorder.clipboardTexts, std::vector<std::string>{c.text});
        EXPECT_TRUE(m_recorder.messageBoxes.empty());
        EXPECT_TRUE(RawDataFocusedAndSelected());

        m_recorder.SetClipboardResult(false);
        Click(Page(), c.button);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, c.failure);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, ui::ApplicationName());
        EXPECT_TRUE(RawDataFocusedAndSelected());
        m_recorder.messageBoxes.clear();
    }
}

TEST_F(SwipePage, ClearCountZeroesEveryCountAndKeepsMarksAndSentinels) {
    m_dialog->SetTrackSentinels('%', '?', ';', '?', '#', '!');
    Page().ShowCustomData("%AB?;1?");
    const std::vector<uint8_t> frame = {0x00, 0x0C, 'A', 'Y', 0x01, 0, 0,
                                        0,    'Y',  1,   'Z', 'B',  0, 'S'};
    m_dialog->DispatchReaderFrame(frame, TransportHid);
    ASSERT_EQ(PageText(IDC_SWIPE_COUNT), "2");

    Click(Page(), IDC_CLEAR_COUNT);
    for (int id : {IDC_RAW_DATA, IDC_TRACK_TEXT[0], IDC_TRACK_TEXT[1], IDC_TRACK_TEXT[2]})
        EXPECT_EQ(PageText(id), "") << id;
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
    for (int track = 0; track < kTrackCount; ++track) {
        EXPECT_EQ(PageText(IDC_SUCCESS_RATE[track]), "0.00");
        EXPECT_EQ(PageText(IDC_BLANK_COUNT[track]), "0");
        EXPECT_EQ(PageText(IDC_CHAR_COUNT[track]), "0");
        for (int id : IDC_TRACK_COUNTERS[track])
            EXPECT_EQ(PageText(id), "0") << id;
    }
    EXPECT_EQ(Page().m_stats.m_nSwipeCount, 0);
    EXPECT_EQ(Page().m_stats.m_trackCounters[0][kCounterResults], 0);
    EXPECT_EQ(Page().m_stats.m_nBlankCount[2], 0);
    EXPECT_EQ(PageText(IDC_DECODE_MARKS[0]), kDecodeModeOnMark);
    EXPECT_EQ(PageText(IDC_SENTINELS[4]), "#");
    EXPECT_TRUE(RawDataFocusedAndSelected());
}

TEST_F(SwipePage, FocusNeverRestsOnATrackEdit) {
    Page().Item(IDC_RAW_DATA).SetText("typed before");
    for (int id : IDC_TRACK_TEXT) {
        Page().Item(id).SetFocus();
        EXPECT_TRUE(RawDataFocusedAndSelected()) << id;
    }
    m_dialog->SelectTab(0);
    Page().Item(IDC_RAW_DATA).SetSel(0, 0);
    m_dialog->SelectTab(3);
    EXPECT_TRUE(RawDataFocusedAndSelected()) << "when the page is shown";
}

TEST_F(SwipePage, EditsDrawInTheColourOfTheSwipeCount) {
    const ui::Color expected[] = {ui::Rgb(200, 0, 0), ui::Rgb(0, 200, 0), ui::Rgb(0, 0, 200),
                                  ui::Rgb(200, 0, 0)};
    for (int swipes = 0; swipes < 4; ++swipes) {
        SCOPED_TRACE(swipes);
        if (swipes > 0)
            Page().ShowCustomData("x");
        for (int id : {IDC_RAW_DATA, IDC_TRACK_TEXT[0], IDC_TRACK_TEXT[1], IDC_TRACK_TEXT[2]}) {
            Page().Item(id).Redraw();
            EXPECT_EQ(Page().Item(id).TextColor(), expected[swipes]) << id;
        }
    }
}

TEST_F(SwipePage, KeyboardSwipeShowsTracksAndEndsAfterAQuietTime) {
    Type("%ABC?;123?+9?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "ABC");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[1]), "123");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[2]), "9");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[0]), "3");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[2]), "1");
    ASSERT_TRUE(WaitForSwipeCount("1"));
    for (int track = 0; track < kTrackCount; ++track) {
        EXPECT_EQ(PageText(IDC_SUCCESS_RATE[track]), "100.00");
        EXPECT_EQ(PageText(IDC_BLANK_COUNT[track]), "0");
    }
    EXPECT_TRUE(RawDataFocusedAndSelected()) << "the next swipe replaces the text";
}

TEST_F(SwipePage, KeyboardSwipeCountsItsEmptyTracksBlank) {
    Type(";123?");
    ASSERT_TRUE(WaitForSwipeCount("1"));
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[0]), "1");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[1]), "0");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[2]), "1");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[0]), "0.00");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[1]), "100.00");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[1]), "3");
}

TEST_F(SwipePage, TextFromCodeCountsNoKeyboardSwipe) {
    Page().Item(IDC_RAW_DATA).SetText("%A?");
    Page().ShowCustomData(";1?");
    Click(Page(), IDC_CLEAR_COUNT);
    QTest::qWait(3 * kKeyboardSwipeEndMs);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
}

TEST_F(SwipePage, CardTextShowsTracksWithTheirSentinels) {
    Page().ShowCustomData("");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");

    Page().Item(IDC_CHAR_COUNT[2]).SetText("7");
    Page().ShowCustomData("%ABC?;123?");
    EXPECT_EQ(PageText(IDC_RAW_DATA), "%ABC?;123?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "%ABC?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[1]), ";123?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[2]), "");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[0]), "3");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[2]), "0");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[0]), "0");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[2]), "1");
    EXPECT_EQ(PageText(IDC_SUCCESS_RATE[2]), "0.00");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
}

TEST_F(SwipePage, SentinelsAreShownAndUsedByBothParsers) {
    m_dialog->SetTrackSentinels('#', '!', 0, '?', 0xA3, 0xFF);
    const char* shown[] = {"#", "!", "", "?", "£", "ÿ"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(PageText(IDC_SENTINELS[i]), shown[i]) << i;
    Page().ShowCustomData("%A?#BC!");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "#BC!");
    Type("#XY!");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "XY");

    m_dialog->SetTrackSentinels('%', '?', ';', '?', '+', '?');
    const char* defaults[] = {"%", "?", ";", "?", "+", "?"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(PageText(IDC_SENTINELS[i]), defaults[i]) << i;
}

} // namespace
