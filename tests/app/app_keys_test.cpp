// Enter and Escape do only what the templates say: Enter presses the
// template's default button and no other, Escape closes the modal dialogs
// but never the main window.

#include "app/pages/about_dialog.h"
#include "app/pages/hid_list_dialog.h"
#include "tests/app/app_connect_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

using AppKeys = AppConnect;

// The key as the operator presses it: to the widget with the focus.
void Press(QWidget* window, Qt::Key key) {
    QWidget* focus = window->focusWidget();
    QTest::keyClick(focus ? focus : window, key);
}

// Ends a modal run that the keys left open, so a test never hangs on it.
void EndIfOpen(ui::Dialog& dialog) {
    if (QWidget* window = ui::WindowOf(dialog); window && window->isVisible())
        dialog.EndDialog(ui::kIdAbort);
}

// Runs dialog modally; act runs once it is up.
int RunModal(ui::Dialog& dialog, ui::Dialog* owner, const std::function<void()>& act) {
    QTimer::singleShot(0, act);
    return dialog.DoModal(owner);
}

// The captions of the buttons of window that get clicked from now on.
class PressedButtons {
public:
    explicit PressedButtons(QWidget* window) {
        for (QPushButton* button : window->findChildren<QPushButton*>())
            QObject::connect(button, &QPushButton::clicked, &m_context,
                             [this, button] { texts.push_back(button->text().toStdString()); });
    }
    std::vector<std::string> texts;

private:
    QObject m_context;
};

TEST_F(AppKeys, EnterInAnEditPressesNoButtonWhereTheTemplateNamesNoDefault) {
    AddHidReader("reader");
    Open();
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_FALSE(IsNoDevice(m_dialog->m_hDevice));
    m_dialog->SelectTab(2);
    CHidListDlg list;
    ASSERT_TRUE(list.CreateModeless(m_dialog.get()));
    ClickOn(list, 1202); // the id edits take input

    struct Case {
        const char* what;
        QWidget* window;
        ui::Control edit;
    };
    const Case cases[] = {
        {"console's hex edit", ui::WindowOf(*m_dialog),
         m_dialog->m_pageDebug.Item(IDC_CONSOLE_SEND_TEXT)},
        {"device list's product id", ui::WindowOf(list), list.m_edProductId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PressedButtons pressed(c.window);
        QWidget* edit = ui::WidgetOf(c.edit);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClicks(edit, "01");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter);
        EXPECT_EQ(pressed.texts, std::vector<std::string>{});
    }
    // Nothing was sent, nor a second connect refused in a box.
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_pageDebug.Item(IDC_CONSOLE_RECEIVE_BOX).Text(), "");
    list.DestroyWindow();

    // The About box's template makes "ok" the default: Enter presses it.
    CAboutDlg about;
    EXPECT_EQ(RunModal(about, m_dialog.get(),
                       [&about] {
                           Press(ui::WindowOf(about), Qt::Key_Return);
                           EndIfOpen(about);
                       }),
              ui::kIdOk);
}

TEST_F(AppKeys, EscapeClosesTheModalDialogsButNeverTheMainWindow) {
    AddHidReader("reader");
    m_dialog = std::make_unique<CDQ450DemoDlg>();
    DeviceHandle open = platform::kInvalidHandle;
    bool upAfterEscape = false;
    bool openAfterEscape = false;
    int aboutCode = 0;
    int listCode = 0;

    // Looked at once the Escape has been handled and the loop has run on.
    QTimer afterEscape;
    afterEscape.setSingleShot(true);
    QObject::connect(&afterEscape, &QTimer::timeout, [&] {
        upAfterEscape = ui::WindowOf(*m_dialog)->isVisible();
        openAfterEscape = platform::LookupDevice(open) != nullptr && m_dialog->m_hDevice == open;

        CAboutDlg about;
        aboutCode = RunModal(about, m_dialog.get(), [&about] {
            Press(ui::WindowOf(about), Qt::Key_Escape);
            EndIfOpen(about);
        });
        CHidListDlg list;
        listCode = RunModal(list, m_dialog.get(), [&list] {
            Press(ui::WindowOf(list), Qt::Key_Escape);
            EndIfOpen(list);
        });

        ui::WindowOf(*m_dialog)->close(); // the close box ends the program
        EndIfOpen(*m_dialog);
    });
    const int code = RunModal(*m_dialog, nullptr, [&] {
        Click(CDQ450DemoDlg::IDC_CONNECT);
        open = m_dialog->m_hDevice;
        m_dialog->SelectTab(2);
        ui::WidgetOf(m_dialog->m_pageDebug.Item(IDC_CONSOLE_SEND_TEXT))->setFocus();
        Press(ui::WindowOf(*m_dialog), Qt::Key_Escape);
        afterEscape.start(0);
    });

    ASSERT_FALSE(IsNoDevice(open));
    EXPECT_TRUE(upAfterEscape);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(aboutCode, ui::kIdCancel);
    EXPECT_EQ(listCode, ui::kIdCancel);
    EXPECT_EQ(code, ui::kIdCancel);
    EXPECT_FALSE(m_dialog->IsWindow());
    EXPECT_EQ(platform::LookupDevice(open), nullptr);
}

} // namespace
