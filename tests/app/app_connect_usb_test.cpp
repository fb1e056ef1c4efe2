// Connecting over USB with the connect button: one interface, none, several.

#include "tests/app/app_connect_fixture.h"

namespace {

using AppConnectUsb = AppConnect;

TEST_F(AppConnectUsb, OneInterfaceIsOpenedLoadedAndRead) {
    sim::StandInReader& reader = AddHidReader("reader");
    reader.SetVersionText("TXV-SIM V2.5");
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[sim::reader_block::kDeviceId] = 0x12;
    block[sim::reader_block::kDeviceId + 1] = 0x34;
    reader.SetReaderBlock(block);
    sim::IButtonParameterBlock ibutton = sim::DefaultIButtonParameterBlock();
    ibutton[sim::ibutton_block::kFilterStart] = 0x1A;
    reader.SetIButtonBlock(ibutton);
    Open();

    Click(CDQ450DemoDlg::IDC_CONNECT);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_NE(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportHid);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(Text(IDC_VERSION), "TXV-SIM V2.5");
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "1234");
    // The USB page and the iButton page show what the reader holds.
    EXPECT_EQ(m_dialog->m_pageUsb.Item(1148).Text(), "1234");
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(1168).Text(), "1a");
    EXPECT_FALSE(m_dialog->Item(IDC_RADIO_COM).IsEnabled());
    EXPECT_FALSE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));

    // A second connect changes nothing.
    const DeviceHandle open = m_dialog->m_hDevice;
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(116));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "info");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(m_dialog->m_hDevice, open);

    Click(CDQ450DemoDlg::IDC_DISCONNECT);
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
    EXPECT_FALSE(platform::CloseDeviceHandle(open));
    EXPECT_EQ(m_dialog->Caption(), String(111));
    EXPECT_EQ(Status(), String(111));
    EXPECT_EQ(Text(IDC_VERSION), "");
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "");
    EXPECT_TRUE(m_dialog->Item(IDC_RADIO_COM).IsEnabled());
    EXPECT_TRUE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
}

TEST_F(AppConnectUsb, NoReaderNamesBothRowsInTheErrorBox) {
    AddHidReader("other", 0x1234, 0x5678);
    Open();
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text,
              "device's name hid1, productId=0x2007 venderId=0x5131 connected device failed\r\n"
              "\r\n"
              "device's name hid2, productId=0x572b venderId=0x0483 connected device failed\r\n"
              "\r\n" +
                  String(115));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->Caption(), "device not connetedTXV-V3.01");
}

// A reader that does not answer is let go: no device stays open, and the
// next connect is not refused.
TEST_F(AppConnectUsb, SilentReaderIsClosedAgain) {
    sim::StandInReader& silent = AddHidReader("silent");
    silent.SetFault({.kind = sim::FaultKind::Silent});
    Open();
    for (int attempt = 0; attempt < 2; ++attempt) {
        Click(CDQ450DemoDlg::IDC_CONNECT);
        EXPECT_TRUE(m_recorder.messageBoxes.empty());
        EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
        EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
        EXPECT_EQ(Status(), " " + String(119));
        EXPECT_EQ(m_dialog->Caption(), "device not connetedTXV-V3.01");
    }
}

// Several interfaces open the list; the reader chosen there is loaded like
// one the connect opens itself, whichever reader the window showed before,
// so an apply writes back its own settings.
TEST_F(AppConnectUsb, ReaderChosenInTheListIsLoadedOverThePreviousOne) {
    struct Reader {
        const char* name;
        const char* version;
        uint8_t idLow;
        uint8_t speed;
        uint8_t ibuttonFilterStart;
    };
    const Reader readers[] = {{"reader-a", "TXV-A V1.0", 0x01, 3, 0x1A},
                              {"reader-b", "TXV-B V2.0", 0x0A, 9, 0x2B}};
    std::vector<sim::ReaderParameterBlock> blocks;
    for (const Reader& r : readers) {
        sim::StandInReader& reader = AddHidReader(r.name);
        reader.SetVersionText(r.version);
        reader.SetInfoText(std::string("info of ") + r.name);
        sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
        block[sim::reader_block::kDeviceId] = 0x12;
        block[sim::reader_block::kDeviceId + 1] = r.idLow;
        block[sim::reader_block::kSpeed] = r.speed;
        reader.SetReaderBlock(block);
        blocks.push_back(block);
        sim::IButtonParameterBlock ibutton = sim::DefaultIButtonParameterBlock();
        ibutton[sim::ibutton_block::kFilterStart] = r.ibuttonFilterStart;
        reader.SetIButtonBlock(ibutton);
    }
    sim::StandInReader& b = *m_readers[1];
    Open();

    std::vector<std::string> listed;
    PickInModalList(0, &listed);
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(Text(IDC_VERSION), "TXV-A V1.0");
    Click(CDQ450DemoDlg::IDC_DISCONNECT);

    listed.clear();
    PickInModalList(1, &listed);
    Click(CDQ450DemoDlg::IDC_CONNECT);
    EXPECT_EQ(listed, (std::vector<std::string>{m_readers[0]->DevicePath(), b.DevicePath()}));
    // The first row found nothing, the second several: no not-found box.
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportHid);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    // The loads leave the status line as the list left it.
    EXPECT_EQ(Status(), "info of reader-b");
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "120A");
    EXPECT_EQ(Text(IDC_VERSION), "TXV-B V2.0");
    EXPECT_EQ(m_dialog->m_pageUsb.Item(1148).Text(), "120A");
    EXPECT_EQ(m_dialog->m_pageUsb.Item(1024).GetCurSel(), 9);
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(1168).Text(), "2b");
    EXPECT_FALSE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());

    ClickOn(m_dialog->m_pageUsb, 1143);
    ASSERT_EQ(b.LastRequest().size(), 56u);
    EXPECT_EQ(b.LastRequest()[2], 0x3D);
    EXPECT_EQ(b.ReaderBlock(), blocks[1]);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_TRUE(SwipeReachesTheTestPage(b));
}

} // namespace
