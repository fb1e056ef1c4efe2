#include "app/main_dialog.h"
#include "platform/pty.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"
#include "tests/app/app_test_support.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

class AppMainDialog : public AppTestEnv {
protected:
    void Open(uint16_t language = 0x0409) {
        SetThreadUILanguage(language);
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }
    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        AppTestEnv::TearDown();
    }

    QTabBar* TabBar() const {
        QWidget* host = ui::WidgetOf(m_dialog->m_tabPages);
        return host ? host->findChild<QTabBar*>() : nullptr;
    }

    // Visibility of the pages in tab order.
    std::vector<bool> VisiblePages() {
        std::vector<bool> visible;
        for (int i = 0; i < kTabCount; ++i)
            visible.push_back(m_dialog->PageOfTab(i)->IsVisible());
        return visible;
    }

    std::unique_ptr<CDQ450DemoDlg> m_dialog;
};

TEST_F(AppMainDialog, CaptionAtStartInBothLanguages) {
    Open(0x0409);
    EXPECT_EQ(m_dialog->Caption(), "device not connetedTXV-V3.01");
    m_dialog->DestroyWindow();
    Open(0x0804);
    EXPECT_EQ(m_dialog->Caption(), "读卡器未连接   TXV-V3.01");
}

TEST_F(AppMainDialog, FivePagesInsideTheTabControlUnderTheirTabs) {
    Open();
    QTabBar* bar = TabBar();
    ASSERT_NE(bar, nullptr);
    const char* captions[] = {"TXV-USB parameters", "IButton parameter", "USB command",
                              "Card swipe test", "TXV-COM parameter"};
    const int templates[] = {130, 138, 131, 146, 165};
    ASSERT_EQ(m_dialog->m_tabPages.GetCount(), kTabCount);
    for (int i = 0; i < kTabCount; ++i) {
        EXPECT_EQ(bar->tabText(i).toStdString(), captions[i]);
        EXPECT_EQ(m_dialog->PageOfTab(i)->TemplateId(), templates[i]);
    }

    // Created inside the tab control, in the order 130, 131, 138, 146, 165,
    // and placed below the tab row.
    QWidget* host = ui::WidgetOf(m_dialog->m_tabPages);
    std::vector<int> created;
    for (QObject* child : host->children())
        for (int i = 0; i < kTabCount; ++i)
            if (child == ui::WindowOf(*m_dialog->PageOfTab(i)))
                created.push_back(templates[i]);
    EXPECT_EQ(created, (std::vector<int>{130, 131, 138, 146, 165}));
    ui::Rect area = m_dialog->m_tabPages.ClientRect();
    ui::Rect expected{area.left + 10, area.top + 30, area.right - 10, area.bottom - 10};
    for (int i = 0; i < kTabCount; ++i)
        EXPECT_EQ(m_dialog->PageOfTab(i)->WindowRect(), expected) << "tab " << i;

    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 0);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{true, false, false, false, false}));
    ui::Control usbInterface = m_dialog->m_pageUsb.Item(1006);
    ASSERT_EQ(usbInterface.GetCount(), 2);
    EXPECT_EQ(usbInterface.GetItemText(0), "HID Keyboard");
    EXPECT_EQ(usbInterface.GetItemText(1), "HID Custom");
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(1175).GetItemText(0), "HID Keyboard");
}

TEST_F(AppMainDialog, SelectTabOnTheCurrentOrAnOutOfRangeIndexChangesNothing) {
    Open();
    m_dialog->SelectTab(3);
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 3);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{false, false, false, true, false}));

    // A page pattern that SelectTab would never leave shows whether it acted.
    m_dialog->m_pageHidTest.Show(false);
    m_dialog->m_pageRs.Show(true);
    const std::vector<bool> pattern = VisiblePages();
    for (int index : {3, 5, 6, -1}) {
        m_dialog->SelectTab(index);
        EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 3) << index;
        EXPECT_EQ(VisiblePages(), pattern) << index;
    }
}

TEST_F(AppMainDialog, OperatorPickingATabShowsItsPage) {
    Open();
    QTabBar* bar = TabBar();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 2);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{false, false, true, false, false}));
}

bool HasPixel(const QImage& image, QColor color) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

TEST_F(AppMainDialog, StatusLineTakesTheOtherColourAtEveryPaint) {
    Open();
    // A page colours its outcome; the dialog's own colours still win.
    m_dialog->m_lblStatus.ApplyTextColor(ui::Rgb(200, 0, 0));
    const ui::Color red = ui::Rgb(200, 10, 0);
    const ui::Color blue = ui::Rgb(10, 10, 200);
    ui::Control status = m_dialog->m_lblStatus.Control();

    status.Redraw();
    const ui::Color first = status.TextColor();
    status.Redraw();
    const ui::Color second = status.TextColor();
    EXPECT_TRUE((first == red && second == blue) || (first == blue && second == red));
    status.Redraw();
    EXPECT_EQ(status.TextColor(), first);

    // What is painted, not only what is stored.
    QWidget* widget = ui::WidgetOf(status);
    const QImage one = widget->grab().toImage();
    const QImage two = widget->grab().toImage();
    const QColor qRed(200, 10, 0), qBlue(10, 10, 200);
    EXPECT_NE(HasPixel(one, qRed), HasPixel(two, qRed));
    EXPECT_NE(HasPixel(one, qBlue), HasPixel(two, qBlue));
}

TEST_F(AppMainDialog, ContextMenuOpensTheAboutBox) {
    Open();
    QWidget* window = ui::WindowOf(*m_dialog);
    ASSERT_NE(window, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window, &event);
    QMenu* menu = window->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    QAction* about = menu->actions().first();
    EXPECT_EQ(about->text().toStdString(), "about TXV...");

    QString shownTitle;
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shownTitle = modal->windowTitle();
            modal->close();
        }
    });
    closer.start(0);
    about->trigger();
    EXPECT_EQ(shownTitle.toStdString(), "About TXV418K Demo");
    menu->close();
}

TEST_F(AppMainDialog, DestroyingTheWindowClosesTheOpenDevice) {
    Open();
    platform::Pty pty;
    ASSERT_TRUE(pty.Open());
    const DeviceHandle port = OpenComPort(pty.slavePath().c_str());
    ASSERT_FALSE(IsNoDevice(port));
    m_dialog->m_hDevice = port;
    m_dialog->m_nTransportMode = TransportCom;

    m_dialog->DestroyWindow();
    EXPECT_EQ(platform::LookupDevice(port), nullptr);
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
}

} // namespace
