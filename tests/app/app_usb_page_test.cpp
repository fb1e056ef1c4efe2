// The USB page's one-setting buttons against the stand-in reader: what each
// one sets in the reader, how failures and input errors are reported, and
// the page's own control rules.

#include "app/command_bracket.h"
#include "app/read_thread.h"
#include "tests/app/app_load_fixture.h"

#include <QComboBox>
#include <chrono>
#include <optional>

namespace {

namespace rb = sim::reader_block;

using UsbPage = AppLoad;

TEST_F(UsbPage, ButtonsSetTheReader) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int button;
        std::vector<std::pair<size_t, uint8_t>> expected; // block byte, value
    };
    const auto buzzer = [this](int readOk, int readFailed, int frequencyItem) {
        return [=, this] {
            Usb(1051).SetCheck(readOk);
            Usb(1052).SetCheck(readFailed);
            Usb(1144).SetCurSel(frequencyItem);
        };
    };
    const auto interface = [this](int item) {
        return [=, this] {
            Usb(1006).SetCurSel(item);
            Usb(1007).SetCurSel(1); // Binary
            Usb(1014).SetCurSel(1); // command mode
        };
    };
    const auto keyboard = [this](int layout, int custom, const char* code) {
        return [=, this] {
            Usb(1246).SetCurSel(layout);
            Usb(1335).SetCheck(custom);
            Usb(1336).SetText(code);
        };
    };
    const Case cases[] = {
        {"speed 7", [this] { Usb(1024).SetCurSel(7); }, 1023, {{rb::kSpeed, 7}}},
        {"both beeps, first frequency",
         buzzer(1, 1, 0),
         1021,
         {{rb::kBuzzer, 0x03}, {rb::kBuzzerFrequency, 100}}},
        {"fail beep only, last frequency",
         buzzer(0, 1, 155),
         1021,
         {{rb::kBuzzer, 0x02}, {rb::kBuzzerFrequency, 255}}},
        {"CadMV and RawData",
         [this] {
             const int checks[] = {0, 0, 1, 1, 0};
             const int ids[] = {1150, 1146, 1151, 1152, 1153};
             for (int i = 0; i < 5; ++i)
                 Usb(ids[i]).SetCheck(checks[i]);
         },
         1147,
         {{rb::kDecoding, 0x0C}}},
        {"custom, binary, command mode", interface(1), 1005, {{rb::kInterface, 0x19}}},
        {"keyboard, binary, command mode", interface(0), 1005, {{rb::kInterface, 0x18}}},
        {"Czech", keyboard(3, 0, "1F"), 1247, {{rb::kKeyboardType, 0x20}}},
        {"Hebrew", keyboard(6, 0, "1F"), 1247, {{rb::kKeyboardType, 0x40}}},
        {"custom code over a layout", keyboard(6, 1, "1F"), 1247, {{rb::kKeyboardType, 0x1F}}},
        {"one-character custom code", keyboard(0, 1, "7"), 1247, {{rb::kKeyboardType, 0x07}}},
        {"empty custom code", keyboard(3, 1, ""), 1247, {{rb::kKeyboardType, 0x00}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ClickUsb(c.button);
        for (const auto& [byte, value] : c.expected)
            EXPECT_EQ(reader.ReaderBlock()[byte], value) << byte;
        EXPECT_EQ(Status(), Usb(c.button).Text() + kOk);
        // Back from the card-swipe test tab that keyboard mode brings forward.
        m_dialog->SelectTab(0);
    }
    EXPECT_TRUE(ReadThreadRuns());
}

TEST_F(UsbPage, DeviceIdTakesTwoOrFourCharacters) {
    sim::StandInReader& reader = OpenOverHid();
    const std::pair<const char*, uint16_t> accepted[] = {
        {"01", 0x0001}, {"0A0B", 0x0A0B}, {"0A 1", 0x0A01}, {"G1", 0x0001}, {"FFFF", 0xFFFF}};
    for (const auto& [text, id] : accepted) {
        SCOPED_TRACE(text);
        Usb(1148).SetText(text);
        ClickUsb(1149);
        EXPECT_EQ(reader.DeviceId(), id);
        EXPECT_EQ(Status(), "set device ID" + kOk);
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    // Any other length is refused before anything is sent; the status stays.
    const size_t requests = reader.RequestCount();
    for (const char* text : {"", "1", "123", "é"}) {
        SCOPED_TRACE(text);
        m_recorder.messageBoxes.clear();
        Usb(1148).SetText(text);
        ClickUsb(1149);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, String(123));
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Eorror");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Information);
        EXPECT_EQ(Status(), "set device ID" + kOk);
    }
    EXPECT_EQ(reader.RequestCount(), requests);
    EXPECT_EQ(reader.DeviceId(), 0xFFFF);
    EXPECT_TRUE(ReadThreadRuns());
}

TEST_F(UsbPage, TextsTheReaderCannotTakeAreRefusedWithABox) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int edit;
        const char* text;
        int button;
    };
    const Case cases[] = {
        {"multi-char sentinel", [this] { ChooseUsb(1339, 0); }, 1008, "%中", 1020},
        {"single-char sentinel in apply-all", [] {}, 1011, "€", 1143},
        {"character filter in apply-all", [this] { ChooseUsb(1058, 2); }, 1060, "中", 1143},
        {"device id in apply-all", [] {}, 1148, "中中", 1143},
        {"device id", [] {}, 1148, "中中", 1149},
        {"custom keyboard code", [this] { Usb(1335).SetCheck(1); }, 1336, "中", 1247},
        {"character filter",
         [this] {
             ChooseUsb(1058, 2);
             Usb(1083).SetCheck(1);
         },
         1060, "中", 1068},
    };
    const std::string refusal = ui::LoadNotice(res::Notice::NotLatin1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_recorder.messageBoxes.clear();
        ChooseUsb(1339, 1);
        ChooseUsb(1058, 0);
        Usb(1148).SetText("0001");
        c.arrange();
        Usb(c.edit).Enable(true); // a filter edit waits for its check box
        Usb(c.edit).SetText(c.text);
        SetStatusText(*m_dialog, "before");
        m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
        const size_t requests = reader.RequestCount();
        ClickUsb(c.button);

        EXPECT_EQ(reader.RequestCount(), requests);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, refusal);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(Status(), "before");
        EXPECT_TRUE(Usb(c.edit).HasFocus());
        EXPECT_EQ(SwipePageSentinels()[0], '!');
        EXPECT_TRUE(ReadThreadRuns());
    }

    // A character of one byte still goes through as that byte.
    ChooseUsb(1339, 0);
    Usb(1008).SetText("%é");
    ClickUsb(1020);
    const sim::Bytes request = reader.LastRequest();
    ASSERT_EQ(request.size(), 42u);
    EXPECT_EQ(request[3], '%');
    EXPECT_EQ(sim::Bytes(request.begin() + 12, request.begin() + 17),
              (sim::Bytes{2, '%', 0xE9, 0, 0}));
    EXPECT_EQ(Status(), Usb(1020).Text() + kOk);
}

TEST_F(UsbPage, DecodeModeNeedsOneBox) {
    sim::StandInReader& reader = OpenOverHid();
    for (int id : {1150, 1146, 1151, 1152, 1153})
        Usb(id).SetCheck(0);
    const std::string status = Status();
    ClickUsb(1147);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(124));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(reader.RequestCount(), 0u);
    EXPECT_TRUE(ReadThreadRuns());
}

TEST_F(UsbPage, ComboWithoutSelectionEndsSilently) {
    sim::StandInReader& reader = OpenOverHid();
    const std::string status = Status();
    const std::pair<int, int> cases[] = {{1024, 1023}, {1144, 1021}, {1246, 1247},
                                         {1006, 1005}, {1007, 1005}, {1014, 1005}};
    for (const auto& [combo, button] : cases) {
        SCOPED_TRACE(combo);
        const int selected = Usb(combo).GetCurSel();
        Usb(combo).SetCurSel(-1);
        ClickUsb(button);
        Usb(combo).SetCurSel(selected);
        EXPECT_TRUE(ReadThreadRuns());
    }
    // Also with the custom keyboard code chosen.
    Usb(1335).SetCheck(1);
    Usb(1246).SetCurSel(-1);
    ClickUsb(1247);
    EXPECT_EQ(reader.RequestCount(), 0u);
    EXPECT_EQ(Status(), status);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(UsbPage, RefusedCommandsShowTheirBoxes) {
    sim::StandInReader& reader = OpenOverHid();
    StatusAtBox boxes(*m_dialog);
    reader.SetFault({.kind = sim::FaultKind::Refuse});
    struct Case {
        int button;
        const char* title;
        bool boxBeforeStatus;
    };
    const Case cases[] = {
        {1004, "Error", false}, {1005, "error", false}, {1021, "Error", false},
        {1023, "Error", false}, {1045, "ERROR", true},  {1046, "Error", false},
        {1147, "Error", false}, {1149, "Error", false}, {1247, "Error", false},
    };
    Usb(1148).SetText("0A0B");
    m_dialog->Item(IDC_VERSION).SetText("old");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        boxes.seen.clear();
        SetStatusText(*m_dialog, "before");
        ClickUsb(c.button);
        const std::string expected = Usb(c.button).Text() + kFailed;
        EXPECT_EQ(Status(), expected);
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].text, expected);
        EXPECT_EQ(boxes.seen[0].caption, c.title);
        EXPECT_EQ(boxes.seen[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(boxes.seen[0].owner, &m_dialog->m_pageUsb);
        EXPECT_EQ(boxes.seen[0].statusThen, c.boxBeforeStatus ? "before" : expected);
    }
    // A failure leaves the version label and the swipe page as they were,
    // and keyboard mode brings no tab forward.
    EXPECT_EQ(Text(IDC_VERSION), "old");
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 0);
    EXPECT_TRUE(ReadThreadRuns());
}

TEST_F(UsbPage, WithoutDeviceTheCommandIsRefused) {
    Open();
    ClickUsb(1023);
    EXPECT_EQ(Status(), "set speed" + kFailed);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_FALSE(ReadThreadRuns());
}

TEST_F(UsbPage, DetectDeviceShowsTheVersion) {
    sim::StandInReader& reader = OpenOverHid();
    reader.SetVersionText("TXV V1.2\xE9");
    ClickUsb(1004);
    EXPECT_EQ(Text(IDC_VERSION), "TXV V1.2é");
    EXPECT_EQ(Status(), "detect device" + kOk);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    // A text longer than the reply buffer is a failure, not a cut text.
    reader.SetVersionText(std::string(300, 'V'));
    ClickUsb(1004);
    EXPECT_EQ(Text(IDC_VERSION), "TXV V1.2é");
    EXPECT_EQ(Status(), "detect device" + kFailed);
    EXPECT_EQ(m_recorder.messageBoxes.size(), 1u);
}

// A reply far beyond every buffer (LEN 4000, 63 reports sent at once) is
// read off as it comes: the box shows at once, and the next command gets
// its own reply.
TEST_F(UsbPage, OverLongReplyFailsAtOnceAndTheNextCommandIsAnswered) {
    sim::StandInReader& reader = OpenOverHid();
    reader.SetVersionText(std::string(3998, 'V'));
    const auto start = std::chrono::steady_clock::now();
    ClickUsb(1004);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(Status(), "detect device" + kFailed);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    reader.SetVersionText("V2");
    ClickUsb(1004);
    EXPECT_EQ(Text(IDC_VERSION), "V2");
    EXPECT_EQ(Status(), "detect device" + kOk);
    EXPECT_EQ(m_recorder.messageBoxes.size(), 1u);
}

TEST_F(UsbPage, KeyboardModeOverHidBringsTheSwipeTestTab) {
    struct Case {
        const char* name;
        bool overHid;
        int interfaceItem;
        bool switches;
    };
    const Case cases[] = {
        {"keyboard over HID", true, 0, true},
        {"custom over HID", true, 1, false},
        {"keyboard over COM", false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.overHid)
            OpenOverHid();
        else
            OpenOverCom(sim::Personality::LengthPrefixed, false);
        std::optional<StatusAtBox> boxes(std::in_place, *m_dialog);
        Usb(1006).SetCurSel(c.interfaceItem);
        ClickUsb(1005);
        const std::string ok = "applicate Interface and format" + kOk;
        EXPECT_EQ(Status(), ok);
        if (!c.switches) {
            EXPECT_TRUE(boxes->seen.empty());
            EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 0);
            EXPECT_TRUE(m_dialog->m_pageUsb.IsVisible());
        } else {
            ASSERT_EQ(boxes->seen.size(), 1u);
            EXPECT_EQ(boxes->seen[0].caption, "Info");
            EXPECT_EQ(boxes->seen[0].icon, ui::MessageIcon::Information);
            EXPECT_EQ(boxes->seen[0].text,
                      "USB键盘的模式下，需要手动定位的到最后一个标签页面进行数据的接收");
            EXPECT_EQ(boxes->seen[0].statusThen, ok);
            EXPECT_EQ(boxes->seen[0].tabThen, 0);
            EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), 3);
            EXPECT_TRUE(m_dialog->m_pageHidTest.IsVisible());
            for (ui::Dialog* page : {static_cast<ui::Dialog*>(&m_dialog->m_pageUsb),
                                     static_cast<ui::Dialog*>(&m_dialog->m_pageDebug),
                                     static_cast<ui::Dialog*>(&m_dialog->m_pageIBtn),
                                     static_cast<ui::Dialog*>(&m_dialog->m_pageRs)})
                EXPECT_FALSE(page->IsVisible());
        }
        boxes.reset();
        m_dialog->DestroyWindow();
        m_dialog.reset();
        m_readers.clear();
    }
}

TEST_F(UsbPage, RestoreDefaultResetsTheSwipePageOnly) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kSpeed] = 9;
    block[rb::kSentinels] = 'A';
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    ASSERT_EQ(SwipePageSentinels()[0], 'A');
    Usb(1008).SetText("B");

    ClickUsb(1046);
    EXPECT_EQ(reader.ReaderBlock(), sim::DefaultReaderParameterBlock());
    EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
    EXPECT_EQ(Usb(1008).Text(), "B");
    EXPECT_EQ(Usb(1024).GetCurSel(), 9);
    EXPECT_EQ(Status(), "restore default" + kOk);
}

TEST_F(UsbPage, ClearCacheReportsSuccess) {
    sim::StandInReader& reader = OpenOverHid();
    ClickUsb(1045);
    EXPECT_EQ(reader.LastRequest().at(2), 0x3E);
    EXPECT_EQ(Status(), "clear cache" + kOk);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(UsbPage, CustomEndFlagShowsForSelDefineOverHid) {
    Open();
    ChooseUsb(1018, 2);
    EXPECT_FALSE(Usb(1040).IsVisible());
    EXPECT_FALSE(Usb(1019).IsVisible());
    m_dialog->DestroyWindow();
    m_dialog.reset();

    OpenOverHid();
    Usb(1019).SetText("0D");
    ChooseUsb(1018, 2);
    EXPECT_TRUE(Usb(1040).IsVisible());
    EXPECT_TRUE(Usb(1019).IsVisible());
    for (int other : {1, 3, 0}) {
        ChooseUsb(1018, other);
        EXPECT_FALSE(Usb(1040).IsVisible()) << other;
        EXPECT_FALSE(Usb(1019).IsVisible()) << other;
    }
    ChooseUsb(1018, 2);
    EXPECT_EQ(Usb(1019).Text(), "0D");
}

TEST_F(UsbPage, CustomBoxEnablesTheKeyboardCode) {
    Open();
    EXPECT_FALSE(Usb(1336).IsEnabled());
    ClickUsb(1335);
    EXPECT_TRUE(Usb(1336).IsEnabled());
    ClickUsb(1335);
    EXPECT_FALSE(Usb(1336).IsEnabled());
    EXPECT_EQ(Usb(1336).Text(), "00");
}

} // namespace
