// The HID device list, shown beside the main dialog as its owner.

#include "app/pages/hid_list_dialog.h"
#include "tests/app/app_connect_fixture.h"

namespace {

class AppHidList : public AppConnect {
protected:
    void OpenList() {
        Open();
        m_list = std::make_unique<CHidListDlg>();
        ASSERT_TRUE(m_list->CreateModeless(m_dialog.get()));
    }
    void TearDown() override {
        if (m_list)
            m_list->DestroyWindow();
        m_list.reset();
        AppConnect::TearDown();
    }

    std::vector<std::string> Listed() const {
        std::vector<std::string> items;
        for (int i = 0; i < m_list->m_lbDevices.GetCount(); ++i)
            items.push_back(m_list->m_lbDevices.GetItemText(i));
        return items;
    }

    std::unique_ptr<CHidListDlg> m_list;
};

TEST_F(AppHidList, StartsWithTheReaderIdsLockedAndTheMatchingPathsListed) {
    sim::StandInReader& b = AddHidReader("b");
    AddHidReader("other", 0x5131, 0x2007);
    sim::StandInReader& a = AddHidReader("a");
    OpenList();
    EXPECT_EQ(m_list->m_edProductId.Text(), "572B");
    EXPECT_EQ(m_list->m_edVendorId.Text(), "0483");
    EXPECT_FALSE(m_list->m_edProductId.IsEnabled());
    EXPECT_FALSE(m_list->m_edVendorId.IsEnabled());
    EXPECT_EQ(Listed(), (std::vector<std::string>{a.DevicePath(), b.DevicePath()}));
    EXPECT_EQ(m_list->m_lbDevices.GetCurSel(), 0);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    ClickOn(*m_list, 1202);
    EXPECT_TRUE(m_list->m_edProductId.IsEnabled());
    EXPECT_TRUE(m_list->m_edVendorId.IsEnabled());
    // Typed ids keep only hex characters, in capitals.
    m_list->m_edProductId.SetText("");
    QTest::keyClicks(ui::WidgetOf(m_list->m_edProductId), "2g0a07");
    EXPECT_EQ(m_list->m_edProductId.Text(), "20A0");
    ClickOn(*m_list, 1202);
    EXPECT_FALSE(m_list->m_edProductId.IsEnabled());
    EXPECT_EQ(m_list->m_edProductId.Text(), "20A0");
}

TEST_F(AppHidList, IdsOfAnotherLengthAreRefusedAndTheListKept) {
    sim::StandInReader& reader = AddHidReader("reader");
    OpenList();
    struct Case {
        std::string productId;
        std::string vendorId;
        std::string message;
    };
    const Case cases[] = {
        {"572", "0483", "product id must be 2 byte，such as(A1B2 or 0203)"},
        {"572B", "48", "vendor id must be 2 bytes，such as (A1B2 or 0203)"},
    };
    for (const Case& c : cases) {
        m_recorder.messageBoxes.clear();
        m_list->m_edProductId.SetText(c.productId);
        m_list->m_edVendorId.SetText(c.vendorId);
        m_list->OnDetectDevice();
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, c.message);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, ui::ApplicationName());
        EXPECT_EQ(Listed(), (std::vector<std::string>{reader.DevicePath()}));
    }
}

TEST_F(AppHidList, IdsThatMatchNothingEmptyTheListAndOpenSaysNoDevice) {
    AddHidReader("reader");
    OpenList();
    m_list->m_edProductId.SetText("2007");
    m_list->OnDetectDevice();
    EXPECT_TRUE(Listed().empty());
    m_list->OnOpenSelectedDevice();
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(115));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
}

TEST_F(AppHidList, NoSelectionOrAnInterfaceGoneSinceTheListing) {
    sim::StandInReader& reader = AddHidReader("reader");
    OpenList();
    m_list->m_lbDevices.SetCurSel(-1);
    m_list->OnOpenSelectedDevice();
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, "please choose one at first");

    m_recorder.messageBoxes.clear();
    m_list->m_lbDevices.SetCurSel(0);
    reader.Stop();
    m_list->OnOpenSelectedDevice();
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(Status(), String(131));
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(200, 0, 0));
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(131));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_TRUE(m_list->IsVisible());
}

// A reader that does not give its information text leaves the list open with
// the device recorded; the next open lets that device go first.
TEST_F(AppHidList, FailedInformationQueryKeepsTheListAndTheNextOpenClosesTheFirst) {
    sim::StandInReader& refusing = AddHidReader("a");
    refusing.SetFault({.kind = sim::FaultKind::Refuse, .onlyType = uint8_t(0x50)});
    sim::StandInReader& noId = AddHidReader("c");
    noId.SetFault({.kind = sim::FaultKind::Refuse, .onlyType = uint8_t(0x44)});
    OpenList();

    m_list->OnOpenSelectedDevice();
    const DeviceHandle first = m_dialog->m_hDevice;
    EXPECT_NE(first, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportHid);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_EQ(Status(), String(113));
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_TRUE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
    EXPECT_TRUE(m_list->IsVisible());

    // The id query fails: the connection is made all the same.
    m_list->m_lbDevices.SetCurSel(1);
    m_list->OnOpenSelectedDevice();
    EXPECT_FALSE(platform::CloseDeviceHandle(first));
    EXPECT_EQ(Status(), String(114));
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "");
    EXPECT_FALSE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
    EXPECT_FALSE(m_list->IsVisible());
    EXPECT_TRUE(SwipeReachesTheTestPage(noId));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

} // namespace
