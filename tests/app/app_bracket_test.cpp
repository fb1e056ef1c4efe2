#include "app/command_bracket.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "tests/app/app_command_boxes.h"
#include "tests/app/app_swipe_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace {

using Bracket = SwipeDialogTest;

TEST_F(Bracket, WithNoDeviceACommandIsStillSentAndFailsWithoutTouchingTheThread) {
    m_dialog->SelectTab(3);
    struct Case {
        int button;
        std::string caption;
    };
    for (const Case& c : {Case{IDC_CANCEL_MANUAL_READ, "Cancel manual read"},
                          Case{IDC_MANUAL_READ, "Manual read card"}}) {
        SCOPED_TRACE(c.caption);
        SetStatusText(*m_dialog, "before");
        StatusAtBox boxes(*m_dialog);
        Click(Page(), c.button);
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].text, c.caption + kFailed);
        EXPECT_EQ(boxes.seen[0].caption, "Error");
        EXPECT_EQ(boxes.seen[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(boxes.seen[0].statusThen, "before") << "the box comes before the status text";
        EXPECT_EQ(Status(), c.caption + kFailed);
        EXPECT_FALSE(m_dialog->m_bReadRun);
        EXPECT_EQ(m_dialog->m_hReadThread, nullptr);
        EXPECT_TRUE(Page().Item(IDC_RAW_DATA).HasFocus());
    }
}

TEST_F(Bracket, ResultMessageTakesTheCaptionOfTheControlBeingHandled) {
    struct Case {
        int commandId;
        bool success;
        std::string expected;
    };
    const Case cases[] = {
        {IDC_MANUAL_READ, true, "Manual read card" + kOk},
        {IDC_CLEAR_COUNT, false, "clear count" + kFailed},
        {0, true, kOk}, // a connect's loads run outside any handler
        {IDC_STATUS, false, kFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandId);
        const ui::ScopedCommandId command(c.commandId);
        EXPECT_EQ(MakeResultMessage(Page(), c.success), c.expected);
    }
}

TEST_F(Bracket, OutcomeGoesToTheStatusLineAndFailuresIntoABox) {
    const ui::ScopedCommandId command(IDC_MANUAL_READ);
    struct Case {
        int result;
        FailureBox order;
        std::string statusAtBox; // empty when no box
    };
    for (const Case& c : {Case{ReaderOk, FailureBox::AfterStatus, ""},
                          Case{ReaderFailed, FailureBox::AfterStatus, "Manual read card" + kFailed},
                          Case{ReaderBadArgument, FailureBox::BeforeStatus, "old"}}) {
        SetStatusText(*m_dialog, "old");
        StatusAtBox boxes(*m_dialog);
        const std::string text = MakeResultMessage(Page(), c.result == ReaderOk);
        ReportCommandOutcome(*m_dialog, Page(), text, c.result != ReaderOk, "ERROR", c.order);
        EXPECT_EQ(Status(), text);
        if (c.statusAtBox.empty()) {
            EXPECT_TRUE(boxes.seen.empty());
            continue;
        }
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].caption, "ERROR");
        EXPECT_EQ(boxes.seen[0].statusThen, c.statusAtBox);
    }
}

TEST_F(Bracket, StatusColourIsTheLabelsUntilTheNextPageSetsOne) {
    SetStatusColour(*m_dialog, kStatusFailColour);
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), kStatusFailColour);
    SetStatusColour(*m_dialog, kStatusOkColour);
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(0, 0, 200));
}

std::string EditText(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text().toStdString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget))
        return box->toPlainText().toStdString();
    return {};
}

TEST_F(Bracket, EveryHexEditDropsWhatIsNoHexBeforeTheCaret) {
    struct HexEdit {
        const ui::Dialog* page;
        int id;
    };
    const HexEdit edits[] = {
        {&m_dialog->m_pageUsb, 1019},  {&m_dialog->m_pageUsb, 1148},
        {&m_dialog->m_pageUsb, 1336},  {&m_dialog->m_pageDebug, 1069},
        {&m_dialog->m_pageIBtn, 1163}, {&m_dialog->m_pageIBtn, 1168},
        {&m_dialog->m_pageIBtn, 1169},
    };
    for (const HexEdit& e : edits) {
        SCOPED_TRACE(e.id);
        ui::Control edit = e.page->Item(e.id);
        // Some start disabled until their page's choice asks for them.
        edit.Enable(true);
        edit.SetLimitText(0);
        edit.SetText("");
        QWidget* widget = ui::WidgetOf(edit);
        ASSERT_NE(widget, nullptr);
        QTest::keyClicks(widget, "1x- 2g");
        EXPECT_EQ(EditText(widget), "1 2");
        // A paste keeps a rejected character that is not just before the caret.
        edit.SetText("");
        edit.ReplaceSel("AB-CD");
        EXPECT_EQ(edit.Text(), "AB-CD");
        edit.ReplaceSel("x?");
        EXPECT_EQ(edit.Text(), "AB-CD");
    }
}

} // namespace
