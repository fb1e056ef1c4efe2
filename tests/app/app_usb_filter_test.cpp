// The USB page's data filter: the controls each mode offers, the check boxes
// and the filter command, against the stand-in reader.

#include "app/command_bracket.h"
#include "tests/app/app_load_fixture.h"

#include <QComboBox>
#include <algorithm>

namespace {

constexpr int kTrackFrames[] = {1076, 1077, 1078};
constexpr int kFilterFrames[] = {1064, 1065, 1069, 1071, 1074, 1080};
constexpr int kChecks[] = {1083, 1084, 1085, 1086, 1087, 1088};
constexpr int kLabels[] = {1066, 1067, 1070, 1073, 1079, 1082};
constexpr int kEdits[] = {1060, 1062, 1061, 1072, 1075, 1081};

class UsbFilter : public AppLoad {
protected:
    // Filter i switched on or off by a click, with a text typed when on.
    void SetFilter(int i, bool on, const char* text = "") {
        if ((Usb(kChecks[i]).GetCheck() != 0) != on)
            ClickUsb(kChecks[i]);
        if (on)
            Usb(kEdits[i]).SetText(text);
    }
};

TEST_F(UsbFilter, ModesOfferTheControlsAndCheckBoxesTheirEdits) {
    Open();
    ChooseUsb(1058, 2);
    for (int id : kTrackFrames)
        EXPECT_TRUE(Usb(id).IsEnabled()) << id;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Usb(kFilterFrames[i]).IsEnabled());
        EXPECT_TRUE(Usb(kChecks[i]).IsEnabled());
        EXPECT_FALSE(Usb(kLabels[i]).IsEnabled());
        EXPECT_FALSE(Usb(kEdits[i]).IsEnabled());
        EXPECT_EQ(Usb(kEdits[i]).GetLimitText(), 1);
    }

    ClickUsb(1088);
    EXPECT_TRUE(Usb(1082).IsEnabled());
    EXPECT_TRUE(Usb(1081).IsEnabled());
    Usb(1081).SetText("Z");
    // Unchecking empties the edit; checking again brings it back empty.
    ClickUsb(1088);
    EXPECT_FALSE(Usb(1082).IsEnabled());
    EXPECT_FALSE(Usb(1081).IsEnabled());
    EXPECT_EQ(Usb(1081).Text(), "");
    ClickUsb(1088);
    EXPECT_TRUE(Usb(1081).IsEnabled());
    EXPECT_EQ(Usb(1081).Text(), "");

    // Between the range modes only the limit changes.
    Usb(1081).SetText("Q");
    ChooseUsb(1058, 3);
    EXPECT_EQ(Usb(1088).GetCheck(), 1);
    EXPECT_EQ(Usb(1081).Text(), "Q");
    EXPECT_TRUE(Usb(1081).IsEnabled());
    for (int id : kEdits)
        EXPECT_EQ(Usb(id).GetLimitText(), 2) << id;

    ChooseUsb(1058, 0);
    for (int id : {1076, 1077, 1078, 1064, 1065, 1069, 1071, 1074, 1080})
        EXPECT_FALSE(Usb(id).IsEnabled()) << id;
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(Usb(kChecks[i]).IsEnabled());
        EXPECT_EQ(Usb(kChecks[i]).GetCheck(), 0);
        EXPECT_FALSE(Usb(kEdits[i]).IsEnabled());
        EXPECT_EQ(Usb(kEdits[i]).Text(), "");
    }
    // The section's own controls stay.
    for (int id : {1054, 1063, 1058, 1068})
        EXPECT_TRUE(Usb(id).IsEnabled()) << id;

    ChooseUsb(1058, 2);
    EXPECT_TRUE(Usb(1088).IsEnabled());
    EXPECT_FALSE(Usb(1081).IsEnabled());
}

TEST_F(UsbFilter, RequestByModeChecksAndTexts) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        const char* name;
        int mode;
        std::array<const char*, 6> on; // nullptr: filter off
        sim::Bytes filterBytes;
    };
    const Case cases[] = {
        {"character A on",
         2,
         {"A", nullptr, nullptr, nullptr, nullptr, nullptr},
         {0xC1, 0, 0, 0, 0, 0}},
        {"position 12 on",
         3,
         {nullptr, nullptr, "12", nullptr, nullptr, nullptr},
         {0, 0, 12, 0, 0, 0}},
        {"position -1 and a non-number",
         3,
         {"-1", "x", nullptr, nullptr, nullptr, "99"},
         {0xFF, 0, 0, 0, 0, 99}},
        {"no filtering", 0, {}, {0, 0, 0, 0, 0, 0}},
        {"only card number", 1, {}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChooseUsb(1058, c.mode);
        for (int i = 0; i < 6; ++i)
            if (c.mode >= 2)
                SetFilter(i, c.on[i] != nullptr, c.on[i]);
        ClickUsb(1068);
        sim::Bytes expected = {0x00, 0x08, 0x37, uint8_t(c.mode)};
        expected.insert(expected.end(), c.filterBytes.begin(), c.filterBytes.end());
        EXPECT_EQ(reader.LastRequest(), expected);
        EXPECT_EQ(Status(), "set data filter command executed successfully");
        EXPECT_EQ(reader.ReaderBlock()[sim::reader_block::kFilterMode], c.mode);
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A filter that is off still sends the text of its edit, without bit 7.
TEST_F(UsbFilter, FilterOffSendsItsBareValue) {
    sim::StandInReader& reader = OpenOverHid();
    ChooseUsb(1058, 2);
    SetFilter(0, true, "A");
    Usb(1062).SetText("B");
    ClickUsb(1068);
    EXPECT_EQ(reader.LastRequest(), (sim::Bytes{0x00, 0x08, 0x37, 2, 0xC1, 'B', 0, 0, 0, 0}));
}

TEST_F(UsbFilter, CheckedFilterWithoutTextIsRefusedAtTheFirstOne) {
    sim::StandInReader& reader = OpenOverHid();
    ASSERT_TRUE(m_dialog->StartReadThread());
    ChooseUsb(1058, 2);
    SetFilter(1, true);
    SetFilter(2, true);
    SetStatusText(*m_dialog, "before");
    const size_t sent = reader.RequestCount();
    ClickUsb(1068);
    EXPECT_EQ(reader.RequestCount(), sent);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, "Please input start char or start position ");
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_TRUE(Usb(1062).HasFocus());
    EXPECT_EQ(Status(), "before");
    EXPECT_TRUE(m_dialog->m_bReadRun);
}

TEST_F(UsbFilter, NoModeEndsSilentlyAndAFailureIsReported) {
    sim::StandInReader& reader = OpenOverHid();
    Usb(1058).SetCurSel(-1);
    SetStatusText(*m_dialog, "before");
    const size_t sent = reader.RequestCount();
    ClickUsb(1068);
    EXPECT_EQ(reader.RequestCount(), sent);
    EXPECT_EQ(Status(), "before");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    Usb(1058).SetCurSel(0);
    reader.SetFault({.kind = sim::FaultKind::Refuse});
    ClickUsb(1068);
    EXPECT_EQ(Status(), "set data filter command executed failed");
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
}

// The apply-all request takes the filter edits as they stand: a character
// always with bit 7, whatever its box says.
TEST_F(UsbFilter, ApplyAllCarriesTheFilterBytes) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        int mode;
        std::array<const char*, 6> texts;
        sim::Bytes bytes;
    };
    const Case cases[] = {
        {2, {"A", "", "b", "", "", "?"}, {0xC1, 0, 0xE2, 0, 0, 0xBF}},
        {3, {"12", "", "x", "-2", "", "7"}, {12, 0, 0, 0xFE, 0, 7}},
        {1, {"1", "2", "3", "4", "5", "6"}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Usb(1058).SetCurSel(c.mode);
        for (int i = 0; i < 6; ++i)
            Usb(kEdits[i]).SetText(c.texts[i]);
        ClickUsb(1143);
        const sim::Bytes request = reader.LastRequest();
        ASSERT_EQ(request.size(), 56u);
        EXPECT_EQ(request[15], c.mode);
        EXPECT_EQ(sim::Bytes(request.begin() + 16, request.begin() + 22), c.bytes);
    }
}

// A reader's filters as it holds them, whatever an earlier reader left on
// in the page: the filter command and apply-all write them back unchanged.
TEST_F(UsbFilter, ASecondReadersFiltersAreShownAndWrittenBackUnchanged) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        uint8_t mode;
        std::array<uint8_t, 6> first;
        std::array<uint8_t, 6> second;
    };
    const Case cases[] = {
        {2, {0xC1, 0xDA, 0xC2, 0xD9, 0xC3, 0xD8}, {0xC1, 0, 0, 0, 0, 0xD8}},
        {3, {5, 2, 3, 4, 5, 40}, {5, 0, 0, 0, 0, 40}},
    };
    for (const Case& c : cases)
        for (int button : {1068, 1143}) {
            SCOPED_TRACE(testing::Message() << int(c.mode) << " " << button);
            sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
            block[sim::reader_block::kFilterMode] = c.mode;
            const auto filterBytes = block.begin() + sim::reader_block::kFilterBytes;
            std::copy(c.first.begin(), c.first.end(), filterBytes);
            reader.SetReaderBlock(block);
            ASSERT_TRUE(ReadParametersAsConnected());
            std::copy(c.second.begin(), c.second.end(), filterBytes);
            reader.SetReaderBlock(block);
            ASSERT_TRUE(ReadParametersAsConnected());

            for (int i = 0; i < 6; ++i) {
                const bool on = c.second[size_t(i)] != 0;
                EXPECT_EQ(Usb(kChecks[i]).GetCheck(), on ? 1 : 0) << kChecks[i];
                EXPECT_EQ(Usb(kChecks[i]).IsEnabled(), on || c.mode == 2) << kChecks[i];
                EXPECT_EQ(Usb(kLabels[i]).IsEnabled(), on) << kLabels[i];
                EXPECT_EQ(Usb(kEdits[i]).IsEnabled(), on) << kEdits[i];
                if (!on) {
                    EXPECT_EQ(Usb(kEdits[i]).Text(), "") << kEdits[i];
                }
            }
            ClickUsb(button);
            EXPECT_EQ(Status(), Usb(button).Text() + kOk);
            EXPECT_EQ(reader.ReaderBlock(), block);
        }
}

} // namespace
