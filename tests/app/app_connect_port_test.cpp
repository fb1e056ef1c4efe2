// Opening and closing a COM port, and finding out which reader answers on it.

#include "platform/pty.h"
#include "tests/app/app_connect_fixture.h"
#include "tests/platform/serial_test_port.h"

#include <QComboBox>
#include <QLineEdit>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace {

class AppConnectPort : public AppConnect {
protected:
    // COM mode with the given port at 9600: the item the search selected, or
    // else the name typed into the box.
    void ChoosePort(int n) { ChoosePort("com" + std::to_string(n)); }
    void ChoosePort(const std::string& name) {
        Click(IDC_RADIO_COM);
        m_recorder.messageBoxes.clear();
        if (m_dialog->m_cbPort.GetItemText(m_dialog->m_cbPort.GetCurSel()) != name)
            TypePort(name);
        ASSERT_EQ(m_dialog->m_cbBaud.Text(), "9600");
    }

    // The operator types over whatever the port box shows.
    void TypePort(const std::string& name) {
        auto* box = qobject_cast<QComboBox*>(ui::WidgetOf(m_dialog->m_cbPort));
        ASSERT_NE(box, nullptr);
        QLineEdit* edit = box->lineEdit();
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromStdString(name));
        ASSERT_EQ(m_dialog->m_cbPort.Text(), name);
    }

    // A pseudo-terminal reached as comN.
    void LinkPort(int n, const platform::Pty& pty) {
        std::filesystem::remove(PortLink(n));
        std::filesystem::create_symlink(pty.slavePath(), PortLink(n));
    }

    void ExpectPortControls(bool open) {
        EXPECT_EQ(Text(CDQ450DemoDlg::IDC_OPEN_PORT), String(open ? 134 : 133));
        for (int id : {IDC_SEARCH_PORT, IDC_RADIO_COM, IDC_RADIO_USB})
            EXPECT_EQ(m_dialog->Item(id).IsEnabled(), !open) << id;
    }
};

TEST_F(AppConnectPort, LengthPrefixedReaderIsIdentifiedLoadedReadAndClosed) {
    sim::StandInReader& reader = AddPtyReader(3, sim::Personality::LengthPrefixed);
    reader.SetVersionText("TXV-SIM COM");
    Open();
    ChoosePort(3);

    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportCom);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(Text(IDC_VERSION), "TXV-SIM COM");
    EXPECT_EQ(Text(IDC_HARDWARE_ID), m_dialog->m_pageUsb.Item(1148).Text());
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 0);
    ExpectPortControls(true);
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));

    const DeviceHandle open = m_dialog->m_hDevice;
    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_FALSE(platform::CloseDeviceHandle(open));
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
    EXPECT_EQ(m_dialog->Caption(), String(111));
    EXPECT_EQ(Status(), String(111));
    EXPECT_EQ(Text(IDC_VERSION), "");
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "");
    ExpectPortControls(false);
}

TEST_F(AppConnectPort, StxReaderIsIdentifiedAndItsPageShown) {
    sim::StandInReader& reader = AddPtyReader(4, sim::Personality::Stx);
    sim::RsParameterBlock block = sim::DefaultRsParameterBlock();
    block[sim::rs_block::kBaudCode] = '4';
    reader.SetRsBlock(block);
    Open();
    ChoosePort(4);

    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportCom);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 4);
    EXPECT_TRUE(m_dialog->m_pageRs.IsVisible());
    EXPECT_EQ(m_dialog->m_pageRs.Item(1326).Text(), "115200");
    EXPECT_FALSE(Text(IDC_VERSION).empty());
    ExpectPortControls(true);
}

TEST_F(AppConnectPort, TypedPathOpensItsOwnReaderWhileTheSearchListsAnother) {
    AddPtyReader(1, sim::Personality::LengthPrefixed).SetVersionText("LISTED");
    m_readers.push_back(std::make_unique<sim::StandInReader>(sim::Personality::LengthPrefixed));
    sim::StandInReader& typed = *m_readers.back();
    ASSERT_TRUE(typed.StartOnPty({}));
    typed.SetVersionText("TYPED");
    // A link as the system names a USB serial adapter: a folder deeper and a
    // name far longer than a comN name.
    const std::string byIdFolder = m_folder + "/serial/by-id";
    std::filesystem::create_directories(byIdFolder);
    std::string byId = byIdFolder + "/usb-TXV_Card_Reader_";
    const std::string tail = "-if00-port0";
    ASSERT_LE(byId.size() + tail.size(), 80u) << "the temporary folder's path is too long";
    byId += std::string(80 - byId.size() - tail.size(), '7') + tail;
    ASSERT_EQ(byId.size(), 80u);
    std::filesystem::create_symlink(typed.SlavePath(), byId);
    Open();

    for (const std::string& name : {typed.SlavePath(), byId}) {
        ChoosePort(name);
        ASSERT_EQ(m_dialog->m_cbPort.GetItemText(0), "com1") << "the search listed the other";
        Click(CDQ450DemoDlg::IDC_OPEN_PORT);
        EXPECT_TRUE(m_recorder.messageBoxes.empty()) << name;
        EXPECT_EQ(Text(IDC_VERSION), "TYPED") << name;
        Click(CDQ450DemoDlg::IDC_OPEN_PORT);
        EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle) << name;
    }
}

TEST_F(AppConnectPort, TypedPathThatIsNoSerialPortIsRefusedUnopened) {
    // A FIFO opens read-write with nobody on the other end, and /dev/null
    // opens for anyone; only a check before the open keeps them shut. A node
    // of the test's own with /dev/null's numbers shows whether it was opened.
    const std::string fifo = m_folder + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct stat null {};
    ASSERT_EQ(stat("/dev/null", &null), 0);
    std::string nullNode = m_folder + "/null";
    if (mknod(nullNode.c_str(), S_IFCHR | 0600, null.st_rdev) != 0)
        nullNode.clear(); // only root may make device nodes
    Open();

    struct Case {
        std::string path;
        bool watched;
    } cases[] = {{fifo, true}, {nullNode, true}, {"/dev/null", false}};
    for (const Case& c : cases) {
        if (c.path.empty())
            continue;
        std::optional<OpenWatch> watch;
        if (c.watched)
            watch.emplace(c.path);
        ChoosePort(c.path);
        Click(CDQ450DemoDlg::IDC_OPEN_PORT);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u) << c.path;
        EXPECT_EQ(m_recorder.messageBoxes[0].text, String(135)) << c.path;
        EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle) << c.path;
        if (watch) {
            EXPECT_FALSE(watch->OpenedSinceLastAsk()) << c.path << " was opened";
        }
    }
}

TEST_F(AppConnectPort, PortsOtherProgramsHoldAreLeftAlone) {
    // Another program keeps com1 in line mode, holds com2 with a lock and
    // com3 in exclusive mode.
    platform::Pty ptys[3];
    int others[3];
    termios found[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(ptys[i].Open());
        LinkPort(i + 1, ptys[i]);
        others[i] = open(ptys[i].slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(others[i], 0);
        found[i] = LineModeAt38400(others[i]);
    }
    ASSERT_EQ(flock(others[1], LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(ioctl(others[2], TIOCEXCL), 0);
    Open();

    Click(IDC_RADIO_COM);
    EXPECT_EQ(m_dialog->m_cbPort.GetCount(), 1);
    EXPECT_EQ(m_dialog->m_cbPort.GetItemText(0), "com1");
    for (int n : {2, 3}) {
        ChoosePort(n);
        Click(CDQ450DemoDlg::IDC_OPEN_PORT);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u) << n;
        EXPECT_EQ(m_recorder.messageBoxes[0].text, String(135)) << n;
        EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle) << n;
    }
    for (int i = 0; i < 3; ++i) {
        ExpectLineAsFound(others[i], found[i]);
        ioctl(others[i], TIOCNXCL);
        close(others[i]);
    }
}

TEST_F(AppConnectPort, PortRefusedForLackOfPermissionNamesTheNodeAndTheRemedy) {
    platform::Pty pty;
    ASSERT_TRUE(pty.Open());
    LinkPort(1, pty);
    // Nobody must get through the test's folders to the node behind the link.
    std::filesystem::permissions(m_folder, std::filesystem::perms(0755));
    Open();
    auto expectBox = [&](const char* what) {
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u) << what;
        const std::string& text = m_recorder.messageBoxes[0].text;
        EXPECT_EQ(text.substr(0, String(135).size()), String(135)) << what;
        EXPECT_NE(text.find(pty.slavePath()), std::string::npos) << what << ": " << text;
        EXPECT_NE(text.find("dialout"), std::string::npos) << what << ": " << text;
        m_recorder.messageBoxes.clear();
    };

    {
        DeniedNode denied(pty.slavePath());
        Click(IDC_RADIO_COM);
    }
    EXPECT_EQ(m_dialog->m_cbPort.GetCount(), 0);
    expectBox("search");

    TypePort("com1");
    {
        DeniedNode denied(pty.slavePath());
        Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    }
    expectBox("open");
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
}

TEST_F(AppConnectPort, NoReaderAnsweringClosesThePortAgain) {
    platform::Pty silent;
    ASSERT_TRUE(silent.Open());
    LinkPort(5, silent);
    Open();
    ChoosePort(5);
    const std::string caption = m_dialog->Caption();

    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(111));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
    EXPECT_EQ(m_dialog->Caption(), caption);
    ExpectPortControls(false);
}

TEST_F(AppConnectPort, PortThatDoesNotOpenOrNoRateChosen) {
    AddPtyReader(6, sim::Personality::LengthPrefixed);
    Open();
    ChoosePort(7); // leads nowhere
    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(135));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    ExpectPortControls(false);

    // Without a rate the open does nothing at all, even on a good port.
    m_recorder.messageBoxes.clear();
    m_dialog->m_cbPort.SetText("com6");
    m_dialog->m_cbBaud.SetCurSel(-1);
    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    ExpectPortControls(false);
}

} // namespace
