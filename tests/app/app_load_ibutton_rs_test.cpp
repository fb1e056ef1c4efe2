// The iButton page's and the RS232 page's loads.

#include "tests/app/app_load_fixture.h"

#include <algorithm>

namespace {

using AppLoadPages = AppLoad;
namespace ib = sim::ibutton_block;
namespace rs = sim::rs_block;

TEST_F(AppLoadPages, IButtonBlockFillsThePage) {
    sim::StandInReader& reader = OpenOverHid();
    sim::IButtonParameterBlock block = sim::DefaultIButtonParameterBlock();
    block[ib::kInterface] = 0x07; // bit 2 is no setting
    block[ib::kEnable] = 0x05;
    block[ib::kEndChar] = 0x0D;
    block[ib::kFilterStart] = 0x1A;
    block[ib::kFilterEnd] = 0xF0;
    const std::string prefix = "ABCDEFGHIJKLMNO"; // the whole field, no zero after it
    std::copy(prefix.begin(), prefix.end(), block.begin() + ib::kPrefix);
    block[ib::kWithdraw] = 'W';
    reader.SetIButtonBlock(block);

    EXPECT_TRUE(m_dialog->m_pageIBtn.ReadParameters());
    EXPECT_EQ(Status(), " " + String(118));
    EXPECT_EQ(IButton(1175).GetCurSel(), 1);
    EXPECT_EQ(IButton(1176).GetCurSel(), 1);
    EXPECT_EQ(IButton(1179).GetCurSel(), 1);
    EXPECT_EQ(IButton(1177).GetCurSel(), 0);
    EXPECT_EQ(IButton(1178).GetCurSel(), 1);
    EXPECT_EQ(IButton(1180).GetCurSel(), 2);
    EXPECT_TRUE(IButton(1181).IsVisible());
    EXPECT_TRUE(IButton(1163).IsVisible());
    EXPECT_EQ(IButton(1163).Text(), "0d");
    EXPECT_EQ(IButton(1168).Text(), "1a");
    EXPECT_EQ(IButton(1169).Text(), "f0");
    EXPECT_EQ(IButton(1160).Text(), prefix);
    EXPECT_EQ(IButton(1161).Text(), "");
    EXPECT_EQ(IButton(1164).Text(), "W");

    block[ib::kEndChar] = 0x2B;
    reader.SetIButtonBlock(block);
    EXPECT_TRUE(m_dialog->m_pageIBtn.ReadParameters());
    EXPECT_EQ(IButton(1180).GetCurSel(), 1);
    EXPECT_FALSE(IButton(1163).IsVisible());

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    EXPECT_FALSE(m_dialog->m_pageIBtn.ReadParameters());
    EXPECT_EQ(Status(), " " + String(119));
    EXPECT_EQ(IButton(1168).Text(), "1a");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(AppLoadPages, DeviceIdInBlueInTheStatusLineAndInTheLabel) {
    sim::StandInReader& reader = OpenOverHid();
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[sim::reader_block::kDeviceId] = 0x12;
    block[sim::reader_block::kDeviceId + 1] = 0x34;
    reader.SetReaderBlock(block);
    EXPECT_TRUE(m_dialog->m_pageIBtn.ReadDeviceId());
    EXPECT_EQ(Status(), "Id: 1234");
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "1234");

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    EXPECT_FALSE(m_dialog->m_pageIBtn.ReadDeviceId());
    EXPECT_EQ(Status(), " " + String(119));
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "1234");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(AppLoadPages, RsVersionCheck) {
    OpenOverCom(sim::Personality::Stx);
    EXPECT_TRUE(m_dialog->m_pageRs.DetectVersion());
    EXPECT_EQ(Status(), String(130));
    EXPECT_FALSE(Text(IDC_VERSION).empty());
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(AppLoadPages, RsBlockFillsThePage) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::Stx);
    sim::RsParameterBlock block = sim::DefaultRsParameterBlock();
    block[rs::kPowerMode] = 0x10;
    block[rs::kSentinels + 3] = rs::kNoSentinel; // track 2 end
    block[rs::kOutputTracks] = '5';
    block[rs::kCarriageReturns] = 0x05; // track 2 and packet
    block[rs::kBaudCode] = '4';
    block[rs::kBuzzer] = 0x02;
    block[rs::kPrefixOn] = 1;
    block[rs::kPrefixLength] = 2;
    block[rs::kPrefix] = 'A';
    block[rs::kPrefix + 1] = 'B';
    // A length beyond the field shows the field and no more.
    block[rs::kSuffixOn] = 0;
    block[rs::kSuffixLength] = 200;
    std::fill_n(block.begin() + rs::kSuffix, rs::kTextSize, uint8_t{'S'});
    reader.SetRsBlock(block);

    EXPECT_TRUE(m_dialog->m_pageRs.ReadParameters());
    EXPECT_EQ(Status(), " " + String(118));
    EXPECT_EQ(Rs(1333).GetCheck(), 1);
    EXPECT_EQ(Rs(1332).GetCheck(), 0);
    EXPECT_EQ(Rs(1306).GetCheck(), 1);
    EXPECT_EQ(Rs(1310).Text(), "");
    EXPECT_EQ(Rs(1307).Text(), "%");
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'%', '?', ';', 0xFF, '+', '?'}));
    const int checks[] = {1313, 1314, 1315, 1316, 1317, 1318, 1319};
    const int expected[] = {1, 0, 1, 0, 1, 0, 1};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Rs(checks[i]).GetCheck(), expected[i]) << checks[i];
    EXPECT_EQ(Rs(1326).Text(), "115200");
    // The load leaves the beep boxes' enabled state alone.
    EXPECT_EQ(Rs(1320).GetCheck(), 0);
    EXPECT_EQ(Rs(1321).GetCheck(), 1);
    EXPECT_EQ(Rs(1322).GetCheck(), 0);
    EXPECT_TRUE(Rs(1321).IsEnabled());
    EXPECT_TRUE(Rs(1322).IsEnabled());
    EXPECT_EQ(Rs(1328).GetCheck(), 1);
    EXPECT_TRUE(Rs(1330).IsEnabled());
    EXPECT_EQ(Rs(1330).Text(), "AB");
    EXPECT_EQ(Rs(1329).GetCheck(), 0);
    EXPECT_FALSE(Rs(1331).IsEnabled());
    EXPECT_EQ(Rs(1331).Text(), std::string(30, 'S'));

    // A code past the list keeps the rate; other power bytes keep the choice.
    block[rs::kBaudCode] = '7';
    block[rs::kPowerMode] = 0x05;
    reader.SetRsBlock(block);
    EXPECT_TRUE(m_dialog->m_pageRs.ReadParameters());
    EXPECT_EQ(Rs(1326).Text(), "115200");
    EXPECT_EQ(Rs(1333).GetCheck(), 1);
}

TEST_F(AppLoadPages, RsAllNoSentinelsSwitchesTheSentinelsOffAndKeepsTheSwipePage) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::Stx);
    sim::RsParameterBlock block = sim::DefaultRsParameterBlock();
    std::fill_n(block.begin() + rs::kSentinels, 6, rs::kNoSentinel);
    reader.SetRsBlock(block);
    m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');

    EXPECT_TRUE(m_dialog->m_pageRs.ReadParameters());
    EXPECT_EQ(Rs(1306).GetCheck(), 0);
    for (int id : {1307, 1308, 1309, 1310, 1311, 1312})
        EXPECT_FALSE(Rs(id).IsEnabled()) << id;
    EXPECT_EQ(Rs(1307).Text(), "%");
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'!', '?', ';', '?', '+', '?'}));

    reader.SetFault({.kind = sim::FaultKind::Refuse});
    EXPECT_FALSE(m_dialog->m_pageRs.ReadParameters());
    EXPECT_EQ(Status(), " " + String(119));
    EXPECT_EQ(SwipePageSentinels(), (std::array<uint8_t, 6>{'%', '?', ';', '?', '+', '?'}));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

} // namespace
