// The USB/COM choice of the main dialog, with a ports folder in which two
// comN names lead to pseudo-terminals and every other name leads nowhere.

#include "app/main_dialog.h"
#include "platform/pty.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/strings.h"
#include "tests/app/app_test_support.h"

#include <QTest>
#include <array>
#include <filesystem>
#include <memory>

namespace {

class AppModeSwitch : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        m_ports = m_folder + "/ports";
        std::filesystem::create_directory(m_ports);
        m_portsEnv.Set(m_ports.c_str());
        // Dangling links keep the machine's own serial devices out of the
        // search.
        for (int i = 1; i <= 30; ++i)
            std::filesystem::create_symlink(m_folder + "/absent", PortLink(i));
    }
    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        AppTestEnv::TearDown();
    }

    std::string PortLink(int n) const { return m_ports + "/com" + std::to_string(n); }

    void LinkPty(int n, platform::Pty& pty) {
        ASSERT_TRUE(pty.Open());
        std::filesystem::remove(PortLink(n));
        std::filesystem::create_symlink(pty.slavePath(), PortLink(n));
    }

    void Open() {
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }

    void Click(int id) {
        QWidget* widget = ui::WidgetOf(m_dialog->Item(id));
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
    }

    static std::vector<std::string> Items(const ui::Control& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i)
            items.push_back(list.GetItemText(i));
        return items;
    }

    // Which controls of the main dialog's group box are visible, and which
    // mode controls of the pages are enabled.
    void ExpectMode(bool usb) {
        for (int id : {1002, 1003})
            EXPECT_EQ(m_dialog->Item(id).IsVisible(), usb) << id;
        for (int id : {1297, 1298, 1293, 1294, 1296, 1295})
            EXPECT_EQ(m_dialog->Item(id).IsVisible(), !usb) << id;
        EXPECT_EQ(m_dialog->m_pageUsb.IsEnabled(), usb);
        EXPECT_EQ(m_dialog->m_pageRs.IsEnabled(), !usb);
        for (int id : {1029, 1006, 1005, 1020, 1058, 1068, 1246, 1247, 1046})
            EXPECT_EQ(m_dialog->m_pageUsb.Item(id).IsEnabled(), usb) << id;
        for (int id : {1306, 1307, 1313, 1326, 1327, 1334, 1337})
            EXPECT_EQ(m_dialog->m_pageRs.Item(id).IsEnabled(), !usb) << id;
        // Never touched by the switch.
        EXPECT_TRUE(m_dialog->m_pageIBtn.IsEnabled());
        EXPECT_TRUE(m_dialog->m_pageDebug.IsEnabled());
        EXPECT_TRUE(m_dialog->m_pageHidTest.IsEnabled());
    }

    std::string m_ports;
    test_support::ScopedEnv m_portsEnv{"TXV_PORTS_DIR"};
    std::unique_ptr<CDQ450DemoDlg> m_dialog;
};

TEST_F(AppModeSwitch, ComListsTheOpenablePortsAndSwapsTheListsAndUsbPutsThemBack) {
    std::array<platform::Pty, 2> ptys;
    LinkPty(5, ptys[0]);
    LinkPty(2, ptys[1]);
    Open();
    ExpectMode(true);

    Click(IDC_RADIO_COM);
    EXPECT_EQ(Items(m_dialog->m_cbPort), (std::vector<std::string>{"com2", "com5"}));
    EXPECT_EQ(m_dialog->m_cbPort.GetCurSel(), 0);
    EXPECT_EQ(m_dialog->m_cbBaud.Text(), "9600");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    const std::vector<std::string> comInterfaces = {"transparent mode", "protocol mode"};
    EXPECT_EQ(Items(m_dialog->m_pageUsb.Item(1006)), comInterfaces);
    EXPECT_EQ(Items(m_dialog->m_pageUsb.Item(1018)), (std::vector<std::string>{"null", "Enter"}));
    EXPECT_EQ(Items(m_dialog->m_pageIBtn.Item(1175)), comInterfaces);
    for (int id : {1006, 1018})
        EXPECT_EQ(m_dialog->m_pageUsb.Item(id).GetCurSel(), 0);
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(1175).GetCurSel(), 0);
    ExpectMode(false);

    Click(IDC_RADIO_USB);
    const std::vector<std::string> usbInterfaces = {"HID Keyboard", "HID Custom"};
    EXPECT_EQ(Items(m_dialog->m_pageUsb.Item(1006)), usbInterfaces);
    EXPECT_EQ(Items(m_dialog->m_pageUsb.Item(1018)),
              (std::vector<std::string>{"Enter", "Tab", "Sel-define", "null"}));
    EXPECT_EQ(Items(m_dialog->m_pageIBtn.Item(1175)), usbInterfaces);
    ExpectMode(true);
}

TEST_F(AppModeSwitch, SearchFindingNoPortShowsTheErrorBox) {
    Open();
    Click(IDC_RADIO_COM);
    EXPECT_EQ(m_dialog->m_cbPort.GetCount(), 0);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, ui::LoadString(135));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    ExpectMode(false);
}

} // namespace
