// Controls reached by id: selection and check semantics, edits that notify
// only for the operator's changes, tabs, labels and the paint hook.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/qt_access.h"
#include "ui_test_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace uitest;

namespace {

class UiControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateModeless());
        QApplication::setActiveWindow(ui::WindowOf(dialog));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(dialog)));
        for (const int id : {kButton, kCheck, kRadioA, kRadioB, kHexEdit, kTextBox, kList, kPortBox,
                             kDevices, kTabs}) {
            for (const ui::Notify n : {ui::Notify::Clicked, ui::Notify::SelChange,
                                       ui::Notify::EditChange, ui::Notify::TabSelChange}) {
                dialog.OnCommand(id, n, [this, id, n] { ++counts[{id, n}]; });
            }
        }
    }
    int Count(int id, ui::Notify n) { return counts[{id, n}]; }
    QWidget* Widget(int id) { return ui::WidgetOf(dialog.Item(id)); }

    ui::Dialog dialog{kMainTemplate, res::Language::English};
    std::map<std::pair<int, ui::Notify>, int> counts;
};

TEST_F(UiControls, ComboSelectionOutsideTheListLeavesNone) {
    ui::Control list = dialog.Item(kList);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetCurSel(), ui::kErr); // template lists start unselected

    struct Case {
        int index;
        int result;
        int selection;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 1, "one"},  {3, ui::kErr, ui::kErr, ""},
        {0, 0, 0, "zero"}, {-1, ui::kErr, ui::kErr, ""},
        {2, 2, 2, "two"},  {99, ui::kErr, ui::kErr, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.SetCurSel(c.index), c.result) << c.index;
        EXPECT_EQ(list.GetCurSel(), c.selection) << c.index;
        EXPECT_EQ(list.Text(), c.text) << c.index;
    }
    EXPECT_EQ(Count(kList, ui::Notify::SelChange), 0); // code raises nothing
}

TEST_F(UiControls, ComboItemsAddDeleteAndResetAsTheOriginalDoes) {
    ui::Control list = dialog.Item(kList);
    EXPECT_EQ(list.AddString("three"), 3);
    EXPECT_EQ(list.InsertString(0, "first"), 0);
    EXPECT_EQ(list.InsertString(9, "nowhere"), ui::kErr);
    EXPECT_EQ(list.GetItemText(0), "first");
    EXPECT_EQ(list.GetItemText(4), "three");
    EXPECT_EQ(list.GetItemText(5), "");

    list.SetCurSel(2); // "one"
    EXPECT_EQ(list.DeleteString(0), 4);
    EXPECT_EQ(list.GetCurSel(), 1); // still "one"
    EXPECT_EQ(list.DeleteString(1), 3);
    EXPECT_EQ(list.GetCurSel(), ui::kErr); // the selected item went
    EXPECT_EQ(list.DeleteString(3), ui::kErr);

    // Emptying by deleting item 0 count times, then refilling.
    for (int n = list.GetCount(); n > 0; --n) {
        list.DeleteString(0);
    }
    EXPECT_EQ(list.GetCount(), 0);
    list.AddString("HID Keyboard");
    list.AddString("HID Custom");
    EXPECT_EQ(list.SetCurSel(0), 0);
    EXPECT_EQ(list.Text(), "HID Keyboard");
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), ui::kErr);

    ui::Control sorted = dialog.Item(kSorted);
    for (const char* item : {"enable", "Disable", "auto"}) {
        sorted.AddString(item);
    }
    EXPECT_EQ(sorted.GetItemText(0), "auto");
    EXPECT_EQ(sorted.GetItemText(1), "Disable");
    EXPECT_EQ(sorted.GetItemText(2), "enable");
    EXPECT_EQ(Count(kList, ui::Notify::SelChange), 0);
}

TEST_F(UiControls, EditableComboKeepsTypedTextApartFromTheSelection) {
    ui::Control ports = dialog.Item(kPortBox);
    EXPECT_EQ(ports.GetCurSel(), ui::kErr);
    ports.SetText("/dev/ttyUSB0");
    EXPECT_EQ(ports.Text(), "/dev/ttyUSB0");
    EXPECT_EQ(ports.GetCurSel(), ui::kErr);
    EXPECT_EQ(ports.AddString("com3"), 2);
    EXPECT_EQ(ports.Text(), "/dev/ttyUSB0");
    EXPECT_EQ(ports.SetCurSel(1), 1);
    EXPECT_EQ(ports.Text(), "com2");
    EXPECT_EQ(ports.SetCurSel(5), ui::kErr);
    EXPECT_EQ(ports.Text(), "");

    // The operator's typing does not select an item.
    auto* combo = static_cast<QComboBox*>(Widget(kPortBox));
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), "com9");
    EXPECT_EQ(ports.Text(), "com9");
    EXPECT_EQ(ports.GetCurSel(), ui::kErr);
    EXPECT_EQ(ports.GetCount(), 3);
}

TEST_F(UiControls, OperatorChoosingAComboItemRaisesSelChange) {
    ui::Control list = dialog.Item(kList);
    list.SetCurSel(0);
    Widget(kList)->setFocus();
    QTest::keyClick(Widget(kList), Qt::Key_Down);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(Count(kList, ui::Notify::SelChange), 1);
}

TEST_F(UiControls, ListBoxSelectionAndNotification) {
    ui::Control devices = dialog.Item(kDevices);
    EXPECT_EQ(devices.GetCurSel(), ui::kErr);
    devices.AddString("/dev/hidraw0");
    devices.AddString("/dev/hidraw1");
    EXPECT_EQ(devices.GetCurSel(), ui::kErr);
    EXPECT_EQ(devices.SetCurSel(1), 1);
    EXPECT_EQ(devices.GetItemText(devices.GetCurSel()), "/dev/hidraw1");
    EXPECT_EQ(devices.SetCurSel(2), ui::kErr);
    EXPECT_EQ(devices.GetCurSel(), ui::kErr);
    EXPECT_EQ(Count(kDevices, ui::Notify::SelChange), 0);

    devices.SetCurSel(0);
    Widget(kDevices)->setFocus();
    QTest::keyClick(Widget(kDevices), Qt::Key_Down);
    EXPECT_EQ(devices.GetCurSel(), 1);
    EXPECT_EQ(Count(kDevices, ui::Notify::SelChange), 1);
}

TEST_F(UiControls, CheckStatesCountAnyNonZeroAndOnlyClicksNotify) {
    ui::Control check = dialog.Item(kCheck);
    for (const auto& [state, read] : {std::pair{1, 1}, {0, 0}, {2, 1}, {-5, 1}, {0, 0}}) {
        check.SetCheck(state);
        EXPECT_EQ(check.GetCheck(), read) << state;
    }
    EXPECT_EQ(Count(kCheck, ui::Notify::Clicked), 0);
    QTest::mouseClick(Widget(kCheck), Qt::LeftButton);
    EXPECT_EQ(check.GetCheck(), 1);
    EXPECT_EQ(Count(kCheck, ui::Notify::Clicked), 1);
}

TEST_F(UiControls, RadioButtonsOfAGroupClearEachOtherOnlyWhenClicked) {
    ui::Control com = dialog.Item(kRadioA);
    ui::Control usb = dialog.Item(kRadioB);
    usb.SetCheck(1);
    EXPECT_EQ(usb.GetCheck(), 1);
    EXPECT_EQ(com.GetCheck(), 0);

    QTest::mouseClick(Widget(kRadioA), Qt::LeftButton);
    EXPECT_EQ(com.GetCheck(), 1);
    EXPECT_EQ(usb.GetCheck(), 0);
    QTest::mouseClick(Widget(kRadioA), Qt::LeftButton); // stays checked
    EXPECT_EQ(com.GetCheck(), 1);
    EXPECT_EQ(Count(kRadioA, ui::Notify::Clicked), 2);

    // Code sets one button and leaves the other alone, as the original does.
    usb.SetCheck(1);
    EXPECT_EQ(com.GetCheck(), 1);
    com.SetCheck(0);
    EXPECT_EQ(com.GetCheck(), 0);
    EXPECT_EQ(Count(kRadioB, ui::Notify::Clicked), 0);
}

TEST_F(UiControls, EditNotifiesForTypingButNotForTextsSetFromCode) {
    ui::Control edit = dialog.Item(kHexEdit);
    edit.SetText("1F");
    edit.AppendText("0");
    EXPECT_EQ(edit.Text(), "1F0");
    EXPECT_EQ(Count(kHexEdit, ui::Notify::EditChange), 0);

    edit.SetText("");
    Widget(kHexEdit)->setFocus();
    QTest::keyClicks(Widget(kHexEdit), "ab");
    EXPECT_EQ(edit.Text(), "AB"); // upper-case edit
    EXPECT_EQ(Count(kHexEdit, ui::Notify::EditChange), 2);
    QTest::keyClick(Widget(kHexEdit), Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), "A");
    EXPECT_EQ(Count(kHexEdit, ui::Notify::EditChange), 3);

    ui::Control box = dialog.Item(kTextBox);
    box.SetText("TX: 01 \r\nRX: 02 \r\n");
    box.AppendText("RX: 03 \r\n");
    EXPECT_EQ(box.Text(), "TX: 01 \r\nRX: 02 \r\nRX: 03 \r\n");
    EXPECT_EQ(Count(kTextBox, ui::Notify::EditChange), 0);
    Widget(kTextBox)->setFocus();
    box.SetSel(0, -1);
    QTest::keyClicks(Widget(kTextBox), "%B1?");
    EXPECT_EQ(box.Text(), "%B1?");
    EXPECT_EQ(Count(kTextBox, ui::Notify::EditChange), 4);
}

TEST_F(UiControls, EditLimitBindsTheOperatorButNotCode) {
    ui::Control edit = dialog.Item(kHexEdit);
    EXPECT_EQ(edit.GetLimitText(), 4); // from the template
    Widget(kHexEdit)->setFocus();
    QTest::keyClicks(Widget(kHexEdit), "123456");
    EXPECT_EQ(edit.Text(), "1234");
    EXPECT_EQ(Count(kHexEdit, ui::Notify::EditChange), 4); // refused keys change nothing

    edit.SetText("ABCDEFGH"); // code is not cut
    EXPECT_EQ(edit.Text(), "ABCDEFGH");
    edit.SetLimitText(1);
    edit.SetText("");
    QTest::keyClicks(Widget(kHexEdit), "xy");
    EXPECT_EQ(edit.Text(), "X");
    edit.SetLimitText(0);
    QTest::keyClicks(Widget(kHexEdit), "yz");
    EXPECT_EQ(edit.Text(), "XYZ");
}

TEST_F(UiControls, ReplaceSelEditsLikeTypingSoAFilterCanRunAgain) {
    // A filter that removes the character before the caret when it is not
    // hex; its removal is a change again, so a pasted run goes back to the
    // last accepted character.
    ui::Control edit = dialog.Item(kHexEdit);
    edit.SetLimitText(0);
    int runs = 0;
    dialog.OnCommand(kHexEdit, ui::Notify::EditChange, [&edit, &runs] {
        ++runs;
        const std::string text = edit.Text();
        int start = 0;
        int end = 0;
        edit.GetSel(start, end);
        if (text.empty() || start == 0 ||
            std::isxdigit(static_cast<unsigned char>(text[start - 1]))) {
            return;
        }
        edit.SetSel(start - 1, start);
        edit.ReplaceSel("");
    });
    Widget(kHexEdit)->setFocus();
    QTest::keyClicks(Widget(kHexEdit), "1x");
    EXPECT_EQ(edit.Text(), "1");

    QApplication::clipboard()->setText(QStringLiteral("a-zz"));
    runs = 0;
    QTest::keyClick(Widget(kHexEdit), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), "1A");
    EXPECT_EQ(runs, 4); // the paste, then one per removed character

    // Only the character before the caret is looked at.
    QApplication::clipboard()->setText(QStringLiteral("-cd"));
    QTest::keyClick(Widget(kHexEdit), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), "1A-CD");
}

TEST_F(UiControls, SelectionAndLinesOfEdits) {
    ui::Control edit = dialog.Item(kHexEdit);
    edit.SetText("0A0B");
    edit.SetSel(1, 3);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    edit.SetSel(0, -1);
    edit.GetSel(start, end);
    EXPECT_EQ(end, 4);
    edit.SetSel(2, 99); // clamped to the text
    edit.GetSel(start, end);
    EXPECT_EQ(end, 4);

    ui::Control box = dialog.Item(kTextBox);
    box.SetText("a\r\nb\r\nc");
    EXPECT_EQ(box.GetLineCount(), 3);
    EXPECT_EQ(edit.GetLineCount(), 1);
    box.SetReadOnly(true);
    EXPECT_TRUE(box.IsReadOnly());
}

TEST_F(UiControls, FocusNotificationsLetAPageKeepTheFocusOffAnEdit) {
    // The swipe test page sends the focus straight back to its raw-data edit
    // whenever a track edit gets it.
    int lost = 0;
    dialog.OnCommand(kTextBox, ui::Notify::SetFocus, [this] {
        EXPECT_EQ(ui::Dialog::CurrentCommandId(), kTextBox);
        dialog.Item(kHexEdit).SetFocus();
    });
    dialog.OnCommand(kTextBox, ui::Notify::KillFocus, [&lost] { ++lost; });
    dialog.Item(kHexEdit).SetFocus();
    QTest::mouseClick(ui::WidgetOf(dialog.Item(kTextBox)), Qt::LeftButton);
    dialog.Item(kTextBox).SetFocus();
    EXPECT_TRUE(dialog.Item(kHexEdit).HasFocus());
    EXPECT_FALSE(dialog.Item(kTextBox).HasFocus());
    EXPECT_GE(lost, 1);
}

TEST_F(UiControls, TabsChangeFromCodeWithoutNotification) {
    ui::Control tabs = dialog.Item(kTabs);
    EXPECT_EQ(tabs.GetCurSel(), ui::kErr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs.InsertItem(i, "tab " + std::to_string(i)), i);
    }
    EXPECT_EQ(tabs.GetCount(), 3);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(2), 0); // the previous selection
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(tabs.SetCurSel(5), ui::kErr);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(Count(kTabs, ui::Notify::TabSelChange), 0);

    auto* bar = ui::WidgetOf(tabs)->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(Count(kTabs, ui::Notify::TabSelChange), 1);

    tabs.DeleteAllItems();
    EXPECT_EQ(tabs.GetCount(), 0);
    EXPECT_EQ(tabs.GetCurSel(), ui::kErr);
    EXPECT_EQ(Count(kTabs, ui::Notify::TabSelChange), 1);
}

TEST_F(UiControls, LabelFontAndColourSettings) {
    ui::Control status = dialog.Item(kStatus);
    const ui::Color standard = status.TextColor();
    EXPECT_EQ(status.FontWeight(), 400);

    status.SetFontHeight(-14);
    status.SetFontWeight(700);
    status.SetTextColor(ui::Rgb(0, 0, 200));
    const QFont font = ui::WidgetOf(status)->font();
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_TRUE(QFontInfo(font).bold());
    EXPECT_EQ(status.FontHeight(), -14);
    EXPECT_EQ(status.FontWeight(), 700);
    EXPECT_EQ(status.TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_NE(status.TextColor(), standard);

    // A positive height is the cell height, so the characters come out smaller.
    status.SetFontHeight(20);
    const QFont cell = ui::WidgetOf(status)->font();
    EXPECT_GT(cell.pixelSize(), 0);
    EXPECT_LE(QFontMetrics(cell).height(), 21);
}

// Share of the label's pixels that lean to red or to blue.
std::pair<int, int> RedAndBluePixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int red = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 120 && c.blue() < 90 && c.green() < 90;
            blue += c.blue() > 120 && c.red() < 90 && c.green() < 90;
        }
    }
    return {red, blue};
}

TEST_F(UiControls, PaintHookRunsAtEveryPaintAndColoursThatPaint) {
    ui::Control status = dialog.Item(kStatus);
    status.SetFontHeight(-14);
    status.SetFontWeight(700);
    int paints = 0;
    bool toggle = true;
    status.SetPaintHook([&] {
        ++paints;
        status.SetTextColor(toggle ? ui::Rgb(200, 10, 0) : ui::Rgb(10, 10, 200));
        toggle = !toggle;
    });
    QWidget* widget = ui::WidgetOf(status);

    const auto [red1, blue1] = RedAndBluePixels(widget);
    EXPECT_EQ(paints, 1);
    EXPECT_GT(red1, 0);
    EXPECT_EQ(blue1, 0);
    const auto [red2, blue2] = RedAndBluePixels(widget);
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(red2, 0);
    EXPECT_GT(blue2, 0);

    status.Redraw();
    EXPECT_EQ(paints, 3);
    QApplication::processEvents(); // the hook's colour change asks for no paint
    EXPECT_EQ(paints, 3);

    // A colour for an edit's text (the swipe page colours its edits so).
    ui::Control box = dialog.Item(kTextBox);
    box.SetPaintHook([&box] { box.SetTextColor(ui::Rgb(0, 200, 0)); });
    box.SetText("data");
    ui::WidgetOf(box)->grab();
    EXPECT_EQ(box.TextColor(), ui::Rgb(0, 200, 0));
}

TEST_F(UiControls, StaticsTakeTheMouseOnlyWithAHandler) {
    QWidget* status = Widget(kStatus);
    EXPECT_TRUE(status->testAttribute(Qt::WA_TransparentForMouseEvents));
    int entered = 0;
    int clicked = 0;
    dialog.OnCommand(kStatus, ui::Notify::MouseEnter, [&entered] { ++entered; });
    dialog.OnCommand(kStatus, ui::Notify::Clicked, [&clicked] { ++clicked; });
    dialog.Item(kStatus).SetHandCursor(true);
    EXPECT_FALSE(status->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(status->cursor().shape(), Qt::PointingHandCursor);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(status, &enter);
    QTest::mouseClick(status, Qt::RightButton);
    QTest::mouseClick(status, Qt::MiddleButton);
    EXPECT_EQ(clicked, 0); // a click is the left button's only
    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(clicked, 1);
}

} // namespace
