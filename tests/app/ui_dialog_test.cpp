// Dialogs built from templates: geometry, languages, the message map and
// modal runs.

#include "platform/ui/dialog.h"
#include "platform/ui/qt_access.h"
#include "ui_test_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace uitest;

namespace {

struct Units {
    int x;
    int y;
};

// The average character width the way the original measures it.
int MeasureAverageWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26 + 1) / 2;
}

int Round(int value, int base, int divisor) {
    return (value * base + divisor / 2) / divisor;
}

// Dialog units follow the original's base units for the template's point
// size, whatever fonts are installed; the text font is no wider than those
// units allow, so captions fit their rectangles.
TEST(UiDialog, DialogUnitsBecomePixelsByTheOriginalsBaseUnitsForThePointSize) {
    const Units nine{7, 15};
    const Units eight{6, 13};
    for (const res::Language language : {res::Language::English, res::Language::Chinese}) {
        ui::Dialog dialog(kMainTemplate, language);
        ASSERT_TRUE(dialog.CreateModeless());
        EXPECT_LE(MeasureAverageWidth(ui::WindowOf(dialog)->font()), nine.x);

        const bool zh = language == res::Language::Chinese;
        const ui::Rect client = dialog.ClientRect();
        EXPECT_EQ(client.Width(), Round(310, nine.x, 4));
        EXPECT_EQ(client.Height(), Round(zh ? 230 : 220, nine.y, 8));

        // set speed: 118, 10, 60 (70 in the Chinese template) x 14
        const ui::Rect button = dialog.Item(kButton).WindowRect();
        EXPECT_EQ(button.left, Round(118, nine.x, 4));
        EXPECT_EQ(button.top, Round(10, nine.y, 8));
        EXPECT_EQ(button.right, Round(118 + (zh ? 70 : 60), nine.x, 4));
        EXPECT_EQ(button.bottom, Round(24, nine.y, 8));
        EXPECT_EQ(dialog.MapDialogRect(ui::Rect{118, 10, 178, 24}),
                  (ui::Rect{Round(118, nine.x, 4), Round(10, nine.y, 8), Round(178, nine.x, 4),
                            Round(24, nine.y, 8)}));

        // The page template is at 8 points: read 5, 5, 60 x 14.
        ui::Dialog page(kPageTemplate, language);
        ASSERT_TRUE(page.Create(dialog, kTabs));
        EXPECT_LE(MeasureAverageWidth(ui::WindowOf(page)->font()), eight.x);
        EXPECT_EQ(page.ClientRect(),
                  (ui::Rect{0, 0, Round(200, eight.x, 4), Round(60, eight.y, 8)}));
        EXPECT_EQ(page.Item(kPageButton).WindowRect(),
                  (ui::Rect{Round(5, eight.x, 4), Round(5, eight.y, 8), Round(65, eight.x, 4),
                            Round(19, eight.y, 8)}));
    }
}

TEST(UiDialog, EachLanguageGetsItsTextsAndAFontWithItsGlyphs) {
    ui::Dialog english(kMainTemplate, res::Language::English);
    ui::Dialog chinese(kMainTemplate, res::Language::Chinese);
    ASSERT_TRUE(english.CreateModeless());
    ASSERT_TRUE(chinese.CreateModeless());

    EXPECT_EQ(english.Caption(), "Test dialog");
    EXPECT_EQ(chinese.Caption(), "测试对话框");
    EXPECT_EQ(english.Item(kStatus).Text(), "no device");
    EXPECT_EQ(chinese.Item(kStatus).Text(), "设备尚未连接");
    EXPECT_EQ(chinese.Item(kList).GetItemText(2), "二");

    const QFont zhFont = ui::WindowOf(chinese)->font();
    EXPECT_TRUE(QFontInfo(zhFont).family().contains(QStringLiteral("CJK")))
        << QFontInfo(zhFont).family().toStdString();
    EXPECT_TRUE(QFontMetrics(zhFont).inFontUcs4(U'设'));
    // English dialogs show Chinese texts from the program too (the read
    // success text), through the CJK family behind the first one.
    EXPECT_TRUE(
        ui::WindowOf(english)->font().families().contains(QStringLiteral("Noto Sans CJK SC")));
}

TEST(UiDialog, ControlsAreReachedByIdAndUnknownIdsGiveAnInertHandle) {
    ui::Dialog dialog(kMainTemplate, res::Language::English);
    EXPECT_FALSE(dialog.Item(kButton).IsValid()); // no window yet
    ASSERT_TRUE(dialog.CreateModeless());

    EXPECT_EQ(dialog.Item(kButton).Kind(), res::ControlKind::PushButton);
    EXPECT_EQ(dialog.Item(kButton).Text(), "set speed");
    for (const int id : {0, -1, 4242}) {
        ui::Control missing = dialog.Item(id);
        EXPECT_FALSE(missing.IsValid()) << id;
        missing.SetText("x");
        EXPECT_EQ(missing.Text(), "");
        EXPECT_EQ(missing.SetCurSel(0), ui::kErr);
        EXPECT_EQ(missing.GetCheck(), 0);
    }
    EXPECT_EQ(ui::Dialog(4242).DoModal(), ui::kErr); // no such template

    // A handle kept past the window does nothing instead of touching freed widgets.
    ui::Control kept = dialog.Item(kButton);
    dialog.DestroyWindow();
    kept.SetText("x");
    EXPECT_EQ(kept.Text(), "");
    EXPECT_FALSE(dialog.Item(kButton).IsValid());
}

TEST(UiDialog, EnableAndShowFollowCodeBeforeAndAfterTheWindowIsShown) {
    ui::Dialog dialog(kMainTemplate, res::Language::English);
    ASSERT_TRUE(dialog.CreateModeless());
    ui::Control button = dialog.Item(kButton);
    EXPECT_TRUE(button.IsVisible());
    button.Show(false);
    button.Enable(false);
    EXPECT_FALSE(button.IsVisible());
    EXPECT_FALSE(button.IsEnabled());
    button.Show(true);
    EXPECT_TRUE(ui::WidgetOf(button)->isVisible());
}

// Binds handlers that record the notification and the current command id.
struct Recorder {
    struct Call {
        int id;
        ui::Notify notify;
        int commandId;
    };
    std::vector<Call> calls;
    void Bind(ui::Dialog& dialog, int id, ui::Notify notify) {
        dialog.OnCommand(id, notify, [this, id, notify] {
            calls.push_back(Call{id, notify, ui::Dialog::CurrentCommandId()});
        });
    }
    int Count(int id, ui::Notify notify) const {
        int n = 0;
        for (const Call& c : calls) {
            n += c.id == id && c.notify == notify;
        }
        return n;
    }
};

TEST(UiDialog, HandlersRunByIdAndNotificationAndKnowTheCommandId) {
    ui::Dialog dialog(kMainTemplate, res::Language::English);
    Recorder recorder;
    recorder.Bind(dialog, kButton, ui::Notify::Clicked); // bound before the window exists
    ASSERT_TRUE(dialog.CreateModeless());
    recorder.Bind(dialog, kCheck, ui::Notify::Clicked);

    EXPECT_EQ(ui::Dialog::CurrentCommandId(), 0);
    QTest::mouseClick(ui::WidgetOf(dialog.Item(kButton)), Qt::LeftButton);
    QTest::mouseClick(ui::WidgetOf(dialog.Item(kCheck)), Qt::LeftButton);
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].id, kButton);
    EXPECT_EQ(recorder.calls[0].commandId, kButton);
    EXPECT_EQ(recorder.calls[1].commandId, kCheck);
    EXPECT_EQ(ui::Dialog::CurrentCommandId(), 0);

    // A second binding replaces the first.
    int replaced = 0;
    dialog.OnCommand(kButton, ui::Notify::Clicked, [&replaced] { ++replaced; });
    QTest::mouseClick(ui::WidgetOf(dialog.Item(kButton)), Qt::LeftButton);
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(recorder.calls.size(), 2u);

    // A handler that acts for another dialog still sees its own command id;
    // the id is restored after nested scopes.
    {
        const ui::ScopedCommandId outer(1002);
        EXPECT_EQ(ui::Dialog::CurrentCommandId(), 1002);
        {
            const ui::ScopedCommandId inner(7);
            EXPECT_EQ(ui::Dialog::CurrentCommandId(), 7);
        }
        EXPECT_EQ(ui::Dialog::CurrentCommandId(), 1002);
    }
    EXPECT_EQ(ui::Dialog::CurrentCommandId(), 0);
}

// A dialog whose steps are recorded, to see the order of a modal run.
class StepDialog : public ui::Dialog {
public:
    StepDialog() : Dialog(kMainTemplate, res::Language::English) {}
    std::vector<std::string> steps;
    std::function<void()> onInit;

protected:
    bool OnInitDialog() override {
        steps.push_back("init");
        if (onInit) {
            onInit();
        }
        return true;
    }
    void OnClose() override {
        steps.push_back("close");
        Dialog::OnClose();
    }
    void OnDestroy() override { steps.push_back("destroy"); }
    void OnShowWindow(bool show) override { steps.push_back(show ? "show" : "hide"); }
};

TEST(UiDialog, ModalRunsEndWithTheirCode) {
    struct Case {
        const char* name;
        std::function<void(StepDialog&)> end;
        int code;
    };
    const Case cases[] = {
        {"handler ends with its own code",
         [](StepDialog& d) {
             d.OnCommand(kButton, ui::Notify::Clicked, [&d] { d.EndDialog(42); });
             QTimer::singleShot(
                 0, [&d] { QTest::mouseClick(ui::WidgetOf(d.Item(kButton)), Qt::LeftButton); });
         },
         42},
        {"OK button without a handler",
         [](StepDialog& d) {
             QTimer::singleShot(
                 0, [&d] { QTest::mouseClick(ui::WidgetOf(d.Item(ui::kIdOk)), Qt::LeftButton); });
         },
         ui::kIdOk},
        {"Escape cancels",
         [](StepDialog& d) {
             QTimer::singleShot(0, [&d] { QTest::keyClick(ui::WindowOf(d), Qt::Key_Escape); });
         },
         ui::kIdCancel},
        {"close box",
         [](StepDialog& d) { QTimer::singleShot(0, [&d] { ui::WindowOf(d)->close(); }); },
         ui::kIdCancel},
        {"ended during init", [](StepDialog& d) { d.onInit = [&d] { d.EndDialog(7); }; }, 7},
    };
    for (const Case& c : cases) {
        StepDialog dialog;
        c.end(dialog);
        EXPECT_EQ(dialog.DoModal(), c.code) << c.name;
        EXPECT_FALSE(dialog.IsWindow()) << c.name;
        ASSERT_GE(dialog.steps.size(), 2u) << c.name;
        EXPECT_EQ(dialog.steps.front(), "init") << c.name;
        EXPECT_EQ(dialog.steps.back(), "destroy") << c.name;
    }
}

TEST(UiDialog, PagesLiveInsideTheTabControlOfTheirParent) {
    StepDialog main;
    ASSERT_TRUE(main.CreateModeless());
    StepDialog orphan;
    EXPECT_FALSE(orphan.Create(main, 4242));

    ui::Dialog page(kPageTemplate, res::Language::English);
    ASSERT_TRUE(page.Create(main, kTabs));
    EXPECT_EQ(page.Parent(), &main);
    EXPECT_EQ(ui::WindowOf(page)->parentWidget(), ui::WidgetOf(main.Item(kTabs)));
    EXPECT_FALSE(page.IsVisible());

    const ui::Rect tab = main.Item(kTabs).ClientRect();
    const ui::Rect inside{tab.left + 10, tab.top + 30, tab.right - 10, tab.bottom - 10};
    page.MoveWindow(inside);
    EXPECT_EQ(page.WindowRect(), inside);
    page.Show(true);
    EXPECT_TRUE(page.IsVisible());
    EXPECT_TRUE(ui::WindowOf(page)->isVisible());

    // The page's own controls are its own.
    EXPECT_TRUE(page.Item(kPageButton).IsValid());
    EXPECT_FALSE(main.Item(kPageButton).IsValid());
}

TEST(UiDialog, ShowWindowRunsOnlyWhenVisibilityChanges) {
    StepDialog main;
    ASSERT_TRUE(main.CreateModeless()); // shows: one "show"
    main.Show(true);
    main.Show(false);
    main.Show(false);
    main.Show(true);
    EXPECT_EQ(main.steps, (std::vector<std::string>{"init", "show", "hide", "show"}));
}

TEST(UiDialog, RightClickOffersTheContextMenuAlsoFromAPage) {
    ui::Dialog main(kMainTemplate, res::Language::English);
    int about = 0;
    main.AddContextMenuItem("about TXV...", [&about] { ++about; });
    ASSERT_TRUE(main.CreateModeless());
    ui::Dialog page(kPageTemplate, res::Language::English);
    ASSERT_TRUE(page.Create(main, kTabs));
    page.Show(true);

    for (QWidget* target : {ui::WindowOf(main), ui::WindowOf(page)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        QMenu* menu = ui::WindowOf(main)->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("about TXV..."));
        menu->actions()[0]->trigger();
        delete menu;
    }
    EXPECT_EQ(about, 2);
}

} // namespace

// A path longer than the port box scrolls to its tail while typed; once the
// operator moves on, the box shows where the text starts.
TEST(UiDialog, TextTypedIntoAComboShowsItsStartOnceTheOperatorMovesOn) {
    ui::Dialog dialog(kMainTemplate, res::Language::English);
    ASSERT_TRUE(dialog.CreateModeless());
    QWidget* window = ui::WindowOf(dialog);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* combo = static_cast<QComboBox*>(ui::WidgetOf(dialog.Item(kPortBox)));
    const QString path = QStringLiteral("/dev/serial/by-id/usb-card-reader-if00-port0");
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), path);
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), path.size());

    dialog.Item(kHexEdit).SetFocus();
    EXPECT_FALSE(combo->hasFocus());
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(dialog.Item(kPortBox).Text(), path.toStdString());
}
