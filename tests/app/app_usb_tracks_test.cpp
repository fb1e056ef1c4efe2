// The USB page's output tracks, sentinels, apply-all and read-back buttons,
// against the stand-in reader.

#include "app/command_bracket.h"
#include "tests/app/app_load_fixture.h"

#include <QComboBox>
#include <algorithm>

namespace {

namespace rb = sim::reader_block;

constexpr int kSentinelEdits[] = {1008, 1009, 1010, 1011, 1012, 1013};
const std::string kOutputTrackButton = "applicate output track and endFlag";
const std::string kApplyButton = "applicate option";

class UsbTracks : public AppLoad {
protected:
    void SetSentinels(const std::array<const char*, 6>& texts) {
        for (int i = 0; i < 6; ++i)
            Usb(kSentinelEdits[i]).SetText(texts[i]);
    }

    // Request bytes [from, from + count).
    static sim::Bytes Slice(const sim::Bytes& request, size_t from, size_t count) {
        if (request.size() < from + count)
            return {};
        return sim::Bytes(request.begin() + long(from), request.begin() + long(from + count));
    }

    // The custom end flag as the end-flag list leaves it for "Sel-define".
    void ChooseCustomEndFlag(const char* text) {
        Usb(1018).SetCurSel(2);
        Usb(1040).Show(true);
        Usb(1019).Show(true);
        Usb(1019).SetText(text);
    }
};

TEST_F(UsbTracks, SentinelModeSetsLimitsAndDefaultTexts) {
    Open();
    struct Case {
        int mode;
        int limit;
        std::array<const char*, 6> texts;
    };
    const Case cases[] = {
        {0, 4, {"%%%%", "????", ";;;;", "????", "++++", "????"}},
        {1, 1, {"%", "?", ";", "?", "+", "?"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        SetSentinels({"x", "x", "x", "x", "x", "x"});
        ChooseUsb(1339, c.mode);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Usb(kSentinelEdits[i]).GetLimitText(), c.limit);
            EXPECT_EQ(Usb(kSentinelEdits[i]).Text(), c.texts[i]);
        }
    }
}

TEST_F(UsbTracks, MultiCharSentinelsTravelAsCharactersAndRecords) {
    sim::StandInReader& reader = OpenOverHid();
    ChooseUsb(1339, 0);
    SetSentinels({"%A", "?", ";B", "?", "+", "?"});
    Usb(1016).SetCheck(0);
    Usb(1018).SetCurSel(1); // Tab
    ClickUsb(1020);

    const sim::Bytes request = reader.LastRequest();
    ASSERT_EQ(request.size(), 42u);
    EXPECT_EQ(Slice(request, 0, 3), (sim::Bytes{0x00, 0x28, 0x32}));
    EXPECT_EQ(Slice(request, 3, 6), (sim::Bytes{0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F}));
    EXPECT_EQ(request[9], 0x05);  // tracks 1 and 3
    EXPECT_EQ(request[10], 0x2B); // Tab
    EXPECT_EQ(request[11], 0x00); // multi char
    EXPECT_EQ(Slice(request, 12, 30),
              (sim::Bytes{2, 0x25, 0x41, 0, 0, 1, 0x3F, 0, 0, 0, 2, 0x3B, 0x42, 0, 0,
                          1, 0x3F, 0,    0, 0, 1, 0x2B, 0, 0, 0, 1, 0x3F, 0,    0, 0}));
    EXPECT_EQ(Status(), kOutputTrackButton + kOk);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
}

TEST_F(UsbTracks, SingleCharRecordsAreZeroForOutputTrackButLengthOneForApplyAll) {
    sim::StandInReader& reader = OpenOverHid();
    // The page starts in single-character mode.
    SetSentinels({"!", "", ";", "=", "+", "?"});

    ClickUsb(1020);
    sim::Bytes request = reader.LastRequest();
    ASSERT_EQ(request.size(), 42u);
    EXPECT_EQ(Slice(request, 3, 6), (sim::Bytes{'!', 0, ';', '=', '+', '?'}));
    EXPECT_EQ(request[11], 0x01);
    EXPECT_EQ(Slice(request, 12, 30), sim::Bytes(30, 0));
    // An empty sentinel shows empty on the card-swipe test page.
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'!', 0, ';', '=', '+', '?'}));

    SetSentinels({"%", "", ";", "=", "+", "?"});
    ClickUsb(1143);
    request = reader.LastRequest();
    ASSERT_EQ(request.size(), 56u);
    EXPECT_EQ(request[25], 0x01);
    EXPECT_EQ(Slice(request, 26, 30),
              (sim::Bytes{1, '%', 0, 0, 0, 0, 0,   0, 0, 0, 1, ';', 0, 0, 0,
                          1, '=', 0, 0, 0, 1, '+', 0, 0, 0, 1, '?', 0, 0, 0}));
    // Track 2 end sits in bytes 41 to 45.
    EXPECT_EQ(Slice(request, 41, 5), (sim::Bytes{1, '=', 0, 0, 0}));
    EXPECT_EQ(Status(), kApplyButton + kOk);
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'%', 0, ';', '=', '+', '?'}));
}

TEST_F(UsbTracks, CustomEndFlagIsTwoHexCharactersOrRefusedBeforeSending) {
    sim::StandInReader& reader = OpenOverHid();
    ASSERT_TRUE(m_dialog->StartReadThread());

    ChooseCustomEndFlag("0D");
    ClickUsb(1020);
    EXPECT_EQ(reader.LastRequest().at(10), 0x0D);
    ClickUsb(1143);
    EXPECT_EQ(reader.LastRequest().at(11), 0x0D);
    ASSERT_TRUE(m_recorder.messageBoxes.empty());

    struct Case {
        int button;
        int stringId;
        bool redStatusAndFocus;
    };
    for (const Case& c : {Case{1020, 122, true}, Case{1143, 123, false}}) {
        SCOPED_TRACE(c.button);
        m_recorder.messageBoxes.clear();
        SetStatusColour(*m_dialog, kStatusOkColour);
        SetStatusText(*m_dialog, "before");
        ChooseCustomEndFlag("0");
        Usb(1008).SetFocus();
        const size_t sent = reader.RequestCount();
        ClickUsb(c.button);

        EXPECT_EQ(reader.RequestCount(), sent);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, String(c.stringId));
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(Status(), c.redStatusAndFocus ? String(c.stringId) : "before");
        EXPECT_EQ(m_dialog->m_lblStatus.TextColor(),
                  c.redStatusAndFocus ? kStatusFailColour : kStatusOkColour);
        EXPECT_EQ(Usb(1019).HasFocus(), c.redStatusAndFocus);
        // The input error still restarts the reading thread.
        EXPECT_TRUE(m_dialog->m_bReadRun);
    }
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));
}

TEST_F(UsbTracks, ApplyAllCarriesEverySettingAndTheReaderKeepsIt) {
    sim::StandInReader& reader = OpenOverHid();
    Usb(1006).SetCurSel(1);
    Usb(1007).SetCurSel(1);
    Usb(1014).SetCurSel(1); // command mode
    Usb(1015).SetCheck(0);
    Usb(1018).SetCurSel(3); // null
    Usb(1051).SetCheck(0);
    Usb(1024).SetCurSel(7);
    for (int id : {1150, 1146, 1153})
        Usb(id).SetCheck(0);
    Usb(1152).SetCheck(1);
    Usb(1148).SetText("1A2B");
    Usb(1144).SetCurSel(50);
    ClickUsb(1143);

    const sim::Bytes request = reader.LastRequest();
    ASSERT_EQ(request.size(), 56u);
    EXPECT_EQ(Slice(request, 0, 4), (sim::Bytes{0x00, 0x36, 0x3D, 0x19}));
    EXPECT_EQ(Slice(request, 10, 16),
              (sim::Bytes{0x06, 0x00, 0x02, 7, 0x08, 0, 0, 0, 0, 0, 0, 0, 0x1A, 0x2B, 150, 1}));
    EXPECT_EQ(Status(), kApplyButton + kOk);

    // The settings come back through the read-back button.
    Usb(1024).SetCurSel(0);
    Usb(1148).SetText("");
    ClickUsb(1047);
    EXPECT_EQ(Status(), "read parameter" + kOk);
    EXPECT_EQ(Usb(1024).GetCurSel(), 7);
    EXPECT_EQ(Usb(1148).Text(), "1A2B");
    EXPECT_EQ(Usb(1144).Text(), "150");
    EXPECT_EQ(Usb(1007).GetCurSel(), 1);
    EXPECT_EQ(Usb(1014).GetCurSel(), 1);
    EXPECT_EQ(sim::DeviceIdOf(reader.ReaderBlock()), 0x1A2B);

    // No reader mode selected is auto mode.
    Usb(1014).SetCurSel(-1);
    ClickUsb(1143);
    EXPECT_EQ(reader.LastRequest().at(3), 0x09);
}

// A multi-character reader in command mode with character filters, some of
// them off: what it holds is what a read-back and an apply leave it with.
TEST_F(UsbTracks, ReadBackThenApplyLeavesTheReaderAsItWas) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kInterface] = 0x19; // HID Custom, Binary, command mode
    block[rb::kFilterMode] = 2;
    const uint8_t filters[] = {0xC1, 0, 0, 0, 0, 0xD8};
    std::copy(std::begin(filters), std::end(filters), block.begin() + rb::kFilterBytes);
    block[rb::kSentinelMode] = 0;
    const sim::Bytes records[6] = {{'%', '%', '%', '%'}, {'?'}, {';', 'A'},
                                   {'?', '?'},           {'+'}, {'?', 0xE9, '?', 0xE9}};
    for (size_t i = 0; i < 6; ++i) {
        block[rb::kSentinels + i] = records[i][0];
        const size_t at = rb::kSentinelStrings + i * rb::kSentinelStringSize;
        block[at] = uint8_t(records[i].size());
        std::copy(records[i].begin(), records[i].end(), block.begin() + long(at) + 1);
    }
    const char* shown[] = {"%%%%", "?", ";A", "??", "+", "?é?é"};

    struct Case {
        bool readByButton; // else the read of a connection
        int applyButton;
    };
    for (const Case c :
         {Case{false, 1143}, Case{false, 1020}, Case{true, 1143}, Case{true, 1020}}) {
        SCOPED_TRACE(testing::Message() << c.readByButton << " " << c.applyButton);
        reader.SetReaderBlock(block);
        if (c.readByButton)
            ClickUsb(1047);
        else
            ASSERT_TRUE(ReadParametersAsConnected());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Usb(kSentinelEdits[i]).Text(), shown[i]);
        EXPECT_EQ(Usb(1014).GetCurSel(), 1);

        ClickUsb(c.applyButton);
        EXPECT_EQ(Status(), Usb(c.applyButton).Text() + kOk);
        EXPECT_EQ(reader.ReaderBlock(), block);
        EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'%', '?', ';', '?', '+', '?'}));
    }
}

// Only a multi-character record that agrees with its sentinel's character
// is shown; anything else shows the character.
TEST_F(UsbTracks, SentinelEditsShowTheRecordOnlyWhereItAgreesWithTheCharacter) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        uint8_t mode;
        size_t sentinel;
        sim::Bytes record;
        const char* shown;
    };
    const Case cases[] = {
        {0, 0, {3, '%', 'A', 'B'}, "%AB"},
        {0, 5, {2, '?', 0xE9}, "?é"},
        {0, 2, {2, '%', 'A'}, ";"},           // another first character
        {0, 2, {0}, ";"},                     // empty record
        {0, 2, {5, ';', 'A', 'B', 'C'}, ";"}, // longer than a record holds
        {1, 0, {4, '%', '%', '%', '%'}, "%"}, // single-character reader
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
        block[rb::kSentinelMode] = c.mode;
        const size_t at = rb::kSentinelStrings + c.sentinel * rb::kSentinelStringSize;
        std::fill_n(block.begin() + long(at), rb::kSentinelStringSize, uint8_t{0});
        std::copy(c.record.begin(), c.record.end(), block.begin() + long(at));
        reader.SetReaderBlock(block);
        ASSERT_TRUE(ReadParametersAsConnected());
        EXPECT_EQ(Usb(kSentinelEdits[c.sentinel]).Text(), c.shown);
    }
}

TEST_F(UsbTracks, ApplyAllDeviceIdByTextLength) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        const char* text;
        uint8_t high;
        uint8_t low;
    };
    const Case cases[] = {
        {"1A2B", 0x1A, 0x2B}, {"0203", 0x02, 0x03}, {"7F", 0x00, 0x7F},
        {"0A 1", 0x0A, 0x01}, {"", 0x00, 0x00},     {"ABC", 0x00, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Usb(1148).SetText(c.text);
        ClickUsb(1143);
        const sim::Bytes request = reader.LastRequest();
        ASSERT_EQ(request.size(), 56u);
        EXPECT_EQ(request[22], c.high);
        EXPECT_EQ(request[23], c.low);
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(UsbTracks, ApplyAllEndsSilentlyOrWithABoxBeforeSending) {
    sim::StandInReader& reader = OpenOverHid();
    for (int combo : {1007, 1018, 1024, 1058, 1144}) {
        SCOPED_TRACE(combo);
        const int kept = Usb(combo).GetCurSel();
        Usb(combo).SetCurSel(-1);
        SetStatusText(*m_dialog, "before");
        const size_t sent = reader.RequestCount();
        ClickUsb(1143);
        EXPECT_EQ(reader.RequestCount(), sent);
        EXPECT_EQ(Status(), "before");
        EXPECT_TRUE(m_recorder.messageBoxes.empty());
        Usb(combo).SetCurSel(kept);
    }

    // No decode mode: the box comes before the frequency list is looked at.
    for (int id : {1150, 1146, 1151, 1152, 1153})
        Usb(id).SetCheck(0);
    Usb(1144).SetCurSel(-1);
    const size_t sent = reader.RequestCount();
    ClickUsb(1143);
    EXPECT_EQ(reader.RequestCount(), sent);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(124));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(Status(), "before");
}

// Lists without a selection that the request takes as a byte all the same.
TEST_F(UsbTracks, UnselectedInterfaceAndSentinelModeGoOutAsFF) {
    sim::StandInReader& reader = OpenOverHid();
    Usb(1006).SetCurSel(-1);
    Usb(1339).SetCurSel(-1);
    ClickUsb(1143);
    const sim::Bytes request = reader.LastRequest();
    ASSERT_EQ(request.size(), 56u);
    EXPECT_EQ(request[3], 0xFF);
    EXPECT_EQ(request[25], 0xFF);
    EXPECT_EQ(Slice(request, 26, 30), sim::Bytes(30, 0));

    // The output-track command refuses the mode without sending.
    const size_t sent = reader.RequestCount();
    ClickUsb(1020);
    EXPECT_EQ(reader.RequestCount(), sent);
    EXPECT_EQ(Status(), kOutputTrackButton + kFailed);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
}

TEST_F(UsbTracks, FailedCommandsReportAndKeepTheSwipePageSentinels) {
    sim::StandInReader& reader = OpenOverHid();
    SetSentinels({"!", "!", "!", "!", "!", "!"});
    reader.SetFault({.kind = sim::FaultKind::Refuse});
    for (int button : {1020, 1143}) {
        SCOPED_TRACE(button);
        m_recorder.messageBoxes.clear();
        ClickUsb(button);
        const std::string expected = (button == 1020 ? kOutputTrackButton : kApplyButton) + kFailed;
        EXPECT_EQ(Status(), expected);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, expected);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
    }
}

TEST_F(UsbTracks, NoDeviceTheCommandsFail) {
    Open();
    for (int button : {1020, 1143, 1047}) {
        SCOPED_TRACE(button);
        m_recorder.messageBoxes.clear();
        ClickUsb(button);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(Status(), Usb(button).Text() + kFailed);
    }
}

TEST_F(UsbTracks, ReadBackFillsThePageButKeepsTheSentinelLimits) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kSentinels] = '!';
    block[rb::kSpeed] = 9;
    block[rb::kSentinelMode] = 0;
    reader.SetReaderBlock(block);
    ClickUsb(1047);
    EXPECT_EQ(Usb(1008).Text(), "!");
    EXPECT_EQ(Usb(1024).GetCurSel(), 9);
    EXPECT_EQ(SwipePageSentinels()[0], '!');
    // Multi-character mode is shown, the edits keep their one-character limit.
    EXPECT_EQ(Usb(1339).GetCurSel(), 0);
    EXPECT_EQ(Usb(1008).GetLimitText(), 1);

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    Usb(1024).SetCurSel(2);
    ClickUsb(1047);
    EXPECT_EQ(Status(), "read parameter" + kFailed);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(Usb(1024).GetCurSel(), 2);
    EXPECT_EQ(Usb(1008).Text(), "!");
    EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
}

// A reply shorter than the block reads as zeros, through the smaller buffer
// of the button too.
TEST_F(UsbTracks, ShortReadBackReplyShowsZeros) {
    sim::StandInReader& reader = OpenOverHid();
    ReplyNextWith(reader, 0x40, {0x00, '%', '?', ';', '?', '+', '?', 0x07});
    ClickUsb(1047);
    EXPECT_EQ(Status(), "read parameter" + kOk);
    EXPECT_EQ(Usb(1017).GetCheck(), 1);
    EXPECT_EQ(Usb(1018).GetCurSel(), 3);
    for (int id : {1051, 1052, 1150, 1146, 1153})
        EXPECT_EQ(Usb(id).GetCheck(), 0) << id;
}

} // namespace
