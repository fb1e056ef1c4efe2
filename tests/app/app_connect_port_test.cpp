// Opening and closing a COM port, and finding out which reader answers on it.

#include "platform/pty.h"
#include "tests/app/app_connect_fixture.h"

namespace {

class AppConnectPort : public AppConnect {
protected:
    // COM mode with port comN at 9600: the item the search selected, or else
    // the name typed into the box.
    void ChoosePort(int n) {
        Click(IDC_RADIO_COM);
        m_recorder.messageBoxes.clear();
        const std::string name = "com" + std::to_string(n);
        if (m_dialog->m_cbPort.GetItemText(m_dialog->m_cbPort.GetCurSel()) != name) {
            m_dialog->m_cbPort.SetCurSel(-1);
            m_dialog->m_cbPort.SetText(name);
        }
        ASSERT_EQ(m_dialog->m_cbBaud.Text(), "9600");
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

TEST_F(AppConnectPort, NoReaderAnsweringClosesThePortAgain) {
    platform::Pty silent;
    ASSERT_TRUE(silent.Open());
    std::filesystem::remove(PortLink(5));
    std::filesystem::create_symlink(silent.slavePath(), PortLink(5));
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
