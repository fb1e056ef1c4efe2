// The USB page's loads: the version and the parameter block in the page.

#include "tests/app/app_load_fixture.h"

namespace {

using AppLoadUsbPage = AppLoad;
namespace rb = sim::reader_block;

TEST_F(AppLoadUsbPage, VersionGoesToTheLabelAndItsFailureToTheStatusLine) {
    sim::StandInReader& reader = OpenOverHid();
    reader.SetVersionText("V9");
    EXPECT_TRUE(m_dialog->m_pageUsb.DetectVersion());
    EXPECT_EQ(Text(IDC_VERSION), "V9");
    EXPECT_EQ(Status(), " " + String(118));

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    EXPECT_FALSE(m_dialog->m_pageUsb.DetectVersion());
    EXPECT_EQ(Text(IDC_VERSION), "V9");
    EXPECT_EQ(Status(), " " + String(119));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(AppLoadUsbPage, BlockFillsEverySettingOfThePage) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block{};
    block[rb::kInterface] = 0x19; // HID Custom, Binary, command mode
    const uint8_t sentinels[] = {'%', 'A', 0, '?', '+', 0xE9};
    std::copy(std::begin(sentinels), std::end(sentinels), block.begin() + rb::kSentinels);
    block[rb::kOutputTracks] = 0x05;
    block[rb::kEndFlag] = 0x2B; // Tab
    block[rb::kBuzzer] = 0x02;
    block[rb::kSpeed] = 7;
    block[rb::kDecoding] = 0x12; // AAMVA, JIS-II
    block[rb::kDeviceId] = 0x0A;
    block[rb::kDeviceId + 1] = 0x0B;
    block[rb::kBuzzerFrequency] = 150;
    block[rb::kSentinelMode] = 0;
    reader.SetReaderBlock(block);

    EXPECT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Status(), " " + String(118));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(Usb(1006).GetCurSel(), 1);
    EXPECT_EQ(Usb(1007).GetCurSel(), 1);
    EXPECT_EQ(Usb(1014).GetCurSel(), 1);
    const int edits[] = {1008, 1009, 1010, 1011, 1012, 1013};
    const char* shown[] = {"%", "A", "", "?", "+", "é"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Usb(edits[i]).Text(), shown[i]) << edits[i];
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'%', 'A', 0, '?', '+', 0xE9}));
    EXPECT_EQ(Usb(1015).GetCheck(), 1);
    EXPECT_EQ(Usb(1016).GetCheck(), 0);
    EXPECT_EQ(Usb(1017).GetCheck(), 1);
    EXPECT_EQ(Usb(1018).GetCurSel(), 1);
    EXPECT_FALSE(Usb(1019).IsVisible());
    EXPECT_EQ(Usb(1051).GetCheck(), 0);
    EXPECT_EQ(Usb(1052).GetCheck(), 1);
    EXPECT_EQ(Usb(1024).GetCurSel(), 7);
    const int decodings[] = {1150, 1146, 1151, 1152, 1153};
    const int checked[] = {0, 1, 0, 0, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Usb(decodings[i]).GetCheck(), checked[i]) << decodings[i];
    EXPECT_EQ(Usb(1058).GetCurSel(), 0);
    EXPECT_EQ(Usb(1148).Text(), "0A0B");
    EXPECT_EQ(Usb(1144).Text(), "150");
    // Multi-character mode lets the sentinel edits take four characters,
    // but they show the one-character sentinels.
    EXPECT_EQ(Usb(1339).GetCurSel(), 0);
    for (int id : edits)
        EXPECT_EQ(Usb(id).GetLimitText(), 4) << id;
}

TEST_F(AppLoadUsbPage, CustomEndFlagShowsOverHidOnly) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kEndFlag] = 0x0D;
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Usb(1018).GetCurSel(), 2);
    EXPECT_TRUE(Usb(1040).IsVisible());
    EXPECT_TRUE(Usb(1019).IsVisible());
    EXPECT_EQ(Usb(1019).Text(), "0D");

    // A following read of another flag hides the edit again and empties it.
    block[rb::kEndFlag] = 0x58;
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Usb(1018).GetCurSel(), 0);
    EXPECT_FALSE(Usb(1019).IsVisible());
    EXPECT_EQ(Usb(1019).Text(), "");
}

TEST_F(AppLoadUsbPage, CustomEndFlagStaysHiddenOverCom) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::LengthPrefixed);
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kEndFlag] = 0x0D;
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    // The COM list holds two items: "Sel-define" is none of them.
    EXPECT_EQ(Usb(1018).GetCurSel(), -1);
    EXPECT_FALSE(Usb(1040).IsVisible());
    EXPECT_FALSE(Usb(1019).IsVisible());
}

TEST_F(AppLoadUsbPage, FilterBytesInCharacterAndPositionModes) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kFilterMode] = 2;
    const uint8_t characters[] = {0xC1, 0x42, 0, 0, 0, 0xDA}; // 'A' on, 'B' off, 'Z' on
    std::copy(std::begin(characters), std::end(characters), block.begin() + rb::kFilterBytes);
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Usb(1058).GetCurSel(), 2);
    EXPECT_EQ(Usb(1083).GetCheck(), 1);
    EXPECT_EQ(Usb(1060).Text(), "A");
    EXPECT_TRUE(Usb(1060).IsEnabled());
    EXPECT_TRUE(Usb(1066).IsEnabled());
    EXPECT_EQ(Usb(1088).GetCheck(), 1);
    EXPECT_EQ(Usb(1081).Text(), "Z");
    // A filter that is off shows as its unchecked box leaves it.
    EXPECT_EQ(Usb(1084).GetCheck(), 0);
    EXPECT_TRUE(Usb(1084).IsEnabled());
    EXPECT_FALSE(Usb(1062).IsEnabled());
    EXPECT_EQ(Usb(1062).Text(), "");
    EXPECT_EQ(Usb(1060).GetLimitText(), 1);

    block[rb::kFilterMode] = 3;
    const uint8_t positions[] = {0, 12, 0, 0, 0, 0};
    std::copy(std::begin(positions), std::end(positions), block.begin() + rb::kFilterBytes);
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Usb(1084).GetCheck(), 1);
    EXPECT_EQ(Usb(1062).Text(), "12");
    EXPECT_TRUE(Usb(1062).IsEnabled());
    EXPECT_EQ(Usb(1062).GetLimitText(), 2);
    // A zero position switches the filter's box off.
    EXPECT_EQ(Usb(1085).GetCheck(), 0);
    EXPECT_FALSE(Usb(1085).IsEnabled());
}

// Values outside a list leave it without a selection.
TEST_F(AppLoadUsbPage, OutOfRangeValuesLeaveNoSelection) {
    sim::StandInReader& reader = OpenOverHid();
    struct Case {
        size_t byte;
        uint8_t value;
        int combo;
    };
    const Case cases[] = {
        {rb::kSpeed, 11, 1024},
        {rb::kBuzzerFrequency, 99, 1144},
        {rb::kInterface, 0x02, 1006},
    };
    for (const Case& c : cases) {
        sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
        block[c.byte] = c.value;
        reader.SetReaderBlock(block);
        ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
        EXPECT_EQ(Usb(c.combo).GetCurSel(), -1) << c.combo;
    }
}

TEST_F(AppLoadUsbPage, ShortReplyReadsAsZeros) {
    sim::StandInReader& reader = OpenOverHid();
    // The interface byte and the six sentinels, nothing more.
    ReplyNextWith(reader, 0x40, {0x01, '%', '?', ';', '?', '+', '?'});
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Usb(1006).GetCurSel(), 1);
    EXPECT_EQ(Usb(1018).GetCurSel(), 3); // "null"
    for (int id : {1015, 1016, 1017, 1150, 1146, 1151, 1152, 1153})
        EXPECT_EQ(Usb(id).GetCheck(), 0) << id;
    EXPECT_EQ(Usb(1148).Text(), "0000");
    EXPECT_EQ(Usb(1144).GetCurSel(), -1);
}

TEST_F(AppLoadUsbPage, FailedReadKeepsThePageAndResetsTheSwipePageSentinels) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[rb::kSentinels] = '!';
    block[rb::kSpeed] = 4;
    reader.SetReaderBlock(block);
    ASSERT_TRUE(m_dialog->m_pageUsb.ReadParameters());
    ASSERT_NE(SwipePageSentinels(), kDefaultSentinels);

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    EXPECT_FALSE(m_dialog->m_pageUsb.ReadParameters());
    EXPECT_EQ(Status(), " " + String(119));
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, " " + String(119));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
    EXPECT_EQ(Usb(1008).Text(), "!");
    EXPECT_EQ(Usb(1024).GetCurSel(), 4);
}

} // namespace
