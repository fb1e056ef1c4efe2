// The RS232 page's buttons and controls, against the stand-in's STX reader,
// which keeps the block it is given.

#include "app/command_bracket.h"
#include "app/pages/rs_page.h"
#include "tests/app/app_load_fixture.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

using namespace rs_page;
namespace rs = sim::rs_block;
using Sentinels = std::array<uint8_t, 6>;

constexpr Sentinels kMarked = {'!', '?', ';', '?', '+', '?'};

class RsPageTest : public AppLoad {
protected:
    CRsDlg& Page() { return m_dialog->m_pageRs; }
    void ClickPage(int id) { ClickOn(Page(), id); }

    // Sets a check box from code and runs its handler, as a click would.
    void SetCheck(int id, int state) {
        if (Rs(id).GetCheck() != state)
            ClickPage(id);
        ASSERT_EQ(Rs(id).GetCheck(), state) << id;
    }
};

class RsPage : public RsPageTest {
protected:
    void SetUp() override {
        RsPageTest::SetUp();
        m_reader = &OpenOverCom(sim::Personality::Stx);
        m_dialog->SelectTab(4);
    }

    sim::StandInReader* m_reader = nullptr;
};

TEST_F(RsPage, ApplySendsTheControlsAndAReadShowsThemBack) {
    // The operator cannot change the power mode; a read can.
    Rs(IDC_POWER_NORMAL).SetCheck(0);
    Rs(IDC_POWER_FROM_PORT).SetCheck(1);
    Rs(1310).SetText(""); // track 2 end: no sentinel
    SetCheck(1313, 1);
    SetCheck(1314, 0);
    SetCheck(1315, 1);
    SetCheck(1316, 0);
    SetCheck(1317, 1);
    SetCheck(1318, 0);
    SetCheck(1319, 1);
    Rs(IDC_BAUD_RATE).SetCurSel(4);
    SetCheck(IDC_BUZZER_ENABLE, 1);
    SetCheck(IDC_READ_OK_BEEP, 0);
    SetCheck(IDC_READ_FAIL_BEEP, 1);
    SetCheck(IDC_PREFIX_ON, 1);
    Rs(IDC_PREFIX).SetText("AB");
    SetCheck(IDC_SUFFIX_ON, 0);
    Rs(IDC_SUFFIX).SetText("");

    ClickPage(IDC_APPLY_OPTION);

    sim::RsParameterBlock expected{};
    expected[rs::kPowerMode] = 0x10;
    const Sentinels sent = {'%', '?', ';', 0xFF, '+', '?'};
    std::copy(sent.begin(), sent.end(), expected.begin() + rs::kSentinels);
    expected[rs::kOutputTracks] = '5';
    expected[rs::kCarriageReturns] = 0x05;
    expected[rs::kBaudCode] = '4';
    expected[rs::kBuzzer] = 0x05;
    expected[rs::kPrefixOn] = 1;
    expected[rs::kPrefixLength] = 2;
    std::fill_n(expected.begin() + rs::kPrefix, rs::kTextSize, uint8_t{'0'});
    expected[rs::kPrefix] = 'A';
    expected[rs::kPrefix + 1] = 'B';
    std::fill_n(expected.begin() + rs::kSuffix, rs::kTextSize, uint8_t{'0'});
    EXPECT_EQ(m_reader->RsBlock(), expected);

    const std::string applied = "applcate current option" + kOk;
    EXPECT_EQ(Status(), applied);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, applied);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Information");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(SwipePageSentinels(), sent);
    EXPECT_TRUE(m_dialog->m_bReadRun) << "the reading thread runs again after the command";

    // Change the page, then read the reader's block back into it.
    Rs(1310).SetText("x");
    Rs(IDC_PREFIX).SetText("");
    SetCheck(1313, 0);
    Rs(IDC_BAUD_RATE).SetCurSel(0);
    m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
    ClickPage(IDC_GET_PARAMETER);
    EXPECT_EQ(Status(), "get parameter" + kOk);
    EXPECT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(Rs(IDC_ENABLE_ALL).GetCheck(), 1);
    EXPECT_EQ(Rs(1310).Text(), "");
    EXPECT_EQ(SwipePageSentinels(), sent);
    EXPECT_EQ(Rs(1313).GetCheck(), 1);
    EXPECT_EQ(Rs(IDC_BAUD_RATE).Text(), "115200");
    EXPECT_EQ(Rs(IDC_PREFIX).Text(), "AB");
    EXPECT_EQ(Rs(IDC_POWER_FROM_PORT).GetCheck(), 1);
}

TEST_F(RsPage, SentinelsSwitchedOffTravelAsNoneAndReadBackSwitchedOff) {
    m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
    ClickPage(IDC_ENABLE_ALL);
    ASSERT_EQ(Rs(IDC_ENABLE_ALL).GetCheck(), 0);
    for (int id : IDC_SENTINEL_EDITS)
        EXPECT_FALSE(Rs(id).IsEnabled()) << id;

    ClickPage(IDC_APPLY_OPTION);
    const sim::RsParameterBlock block = m_reader->RsBlock();
    EXPECT_TRUE(std::all_of(block.begin() + rs::kSentinels, block.begin() + rs::kSentinels + 6,
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(SwipePageSentinels(), kMarked) << "no sentinels are handed on when switched off";

    ClickPage(IDC_ENABLE_ALL);
    for (int id : IDC_SENTINEL_EDITS)
        EXPECT_TRUE(Rs(id).IsEnabled()) << id;
    EXPECT_EQ(Rs(1307).Text(), "%") << "switching keeps the texts";

    ClickPage(IDC_GET_PARAMETER);
    EXPECT_EQ(Rs(IDC_ENABLE_ALL).GetCheck(), 0);
    for (int id : IDC_SENTINEL_EDITS)
        EXPECT_FALSE(Rs(id).IsEnabled()) << id;
    EXPECT_EQ(Rs(1307).Text(), "%");
    EXPECT_EQ(SwipePageSentinels(), kMarked);
}

TEST_F(RsPage, BaudRateCodeFollowsTheSelectedRate) {
    struct Case {
        int index;
        uint8_t code;
    };
    for (const Case& c :
         {Case{0, '0'}, Case{1, '1'}, Case{2, '2'}, Case{3, '3'}, Case{4, '4'}, Case{-1, '1'}}) {
        SCOPED_TRACE(c.index);
        Rs(IDC_BAUD_RATE).SetCurSel(c.index);
        ClickPage(IDC_APPLY_OPTION);
        EXPECT_EQ(m_reader->RsBlock()[rs::kBaudCode], c.code);
    }
}

TEST_F(RsPage, TextOptionsAreCutToTheirFieldAndSentAsBytes) {
    SetCheck(IDC_PREFIX_ON, 1);
    SetCheck(IDC_SUFFIX_ON, 0);
    const std::string longText(40, 'P');
    Rs(IDC_PREFIX).SetText(longText); // set from code, past the edit's limit
    Rs(IDC_SUFFIX).SetText("éA");     // é is one byte
    Rs(1307).SetText("#;");           // only the first character counts

    ClickPage(IDC_APPLY_OPTION);
    const sim::RsParameterBlock block = m_reader->RsBlock();
    EXPECT_EQ(block[rs::kSentinels], '#');
    EXPECT_EQ(block[rs::kPrefixOn], 1);
    EXPECT_EQ(block[rs::kPrefixLength], 30);
    EXPECT_TRUE(std::all_of(block.begin() + rs::kPrefix, block.begin() + rs::kPrefix + 30,
                            [](uint8_t b) { return b == 'P'; }));
    EXPECT_EQ(block[rs::kSuffixOn], 0);
    EXPECT_EQ(block[rs::kSuffixLength], 2);
    EXPECT_EQ(block[rs::kSuffix], 0xE9);
    EXPECT_EQ(block[rs::kSuffix + 1], 'A');
    EXPECT_EQ(block[rs::kSuffix + 2], '0');
}

TEST_F(RsPage, TextsTheReaderCannotTakeAreRefusedWithABox) {
    struct Case {
        const char* name;
        int edit;
        const char* text;
    };
    const Case cases[] = {
        {"prefix", IDC_PREFIX, "A中"},
        {"suffix", IDC_SUFFIX, "€"},
        {"sentinel", 1309, "中"},
    };
    SetCheck(IDC_PREFIX_ON, 1);
    SetCheck(IDC_SUFFIX_ON, 1);
    const std::string refusal = ui::LoadNotice(res::Notice::NotLatin1);
    const sim::RsParameterBlock before = m_reader->RsBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_recorder.messageBoxes.clear();
        Rs(IDC_PREFIX).SetText("P");
        Rs(IDC_SUFFIX).SetText("S");
        Rs(1309).SetText(";");
        Rs(c.edit).SetText(c.text);
        SetStatusText(*m_dialog, "before");
        m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
        const size_t requests = m_reader->RequestCount();
        ClickPage(IDC_APPLY_OPTION);
        EXPECT_EQ(m_reader->RequestCount(), requests);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, refusal);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(Status(), "before");
        EXPECT_TRUE(Rs(c.edit).HasFocus());
        EXPECT_EQ(SwipePageSentinels(), kMarked);
        EXPECT_TRUE(m_dialog->m_bReadRun);
    }
    EXPECT_EQ(m_reader->RsBlock(), before);

    // Switched-off sentinels are not sent, so their texts are not looked at.
    ClickPage(IDC_ENABLE_ALL);
    ASSERT_EQ(Rs(IDC_ENABLE_ALL).GetCheck(), 0);
    ClickPage(IDC_APPLY_OPTION);
    EXPECT_EQ(Status(), "applcate current option" + kOk);
}

TEST_F(RsPage, ReadBeepBoxesFollowTheBuzzerBit) {
    sim::RsParameterBlock block = sim::DefaultRsParameterBlock();
    block[rs::kBuzzer] = 0x02;
    m_reader->SetRsBlock(block);
    ClickPage(IDC_GET_PARAMETER);
    EXPECT_EQ(Rs(IDC_BUZZER_ENABLE).GetCheck(), 0);
    EXPECT_EQ(Rs(IDC_READ_OK_BEEP).GetCheck(), 1);
    EXPECT_EQ(Rs(IDC_READ_FAIL_BEEP).GetCheck(), 0);
    EXPECT_FALSE(Rs(IDC_READ_OK_BEEP).IsEnabled());
    EXPECT_FALSE(Rs(IDC_READ_FAIL_BEEP).IsEnabled());

    block[rs::kBuzzer] = 0x05;
    m_reader->SetRsBlock(block);
    ClickPage(IDC_GET_PARAMETER);
    EXPECT_EQ(Rs(IDC_BUZZER_ENABLE).GetCheck(), 1);
    EXPECT_TRUE(Rs(IDC_READ_OK_BEEP).IsEnabled());
    EXPECT_TRUE(Rs(IDC_READ_FAIL_BEEP).IsEnabled());
    EXPECT_EQ(Rs(IDC_READ_FAIL_BEEP).GetCheck(), 1);
}

TEST_F(RsPage, VersionGoesToTheVersionLabel) {
    m_reader->SetVersionText("RS-TEST 2.5");
    ClickPage(IDC_GET_VERSION);
    EXPECT_EQ(Status(), "get version" + kOk);
    EXPECT_EQ(Text(IDC_VERSION), "RS-TEST 2.5");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    // A text that cannot end inside the 200-byte version buffer is refused.
    m_reader->SetVersionText(std::string(200, 'V'));
    ClickPage(IDC_GET_VERSION);
    EXPECT_EQ(Status(), "get version" + kFailed);
    EXPECT_EQ(Text(IDC_VERSION), "RS-TEST 2.5");
    EXPECT_EQ(m_recorder.messageBoxes.size(), 1u);
}

TEST_F(RsPage, RestoreDefaultResetsTheReaderAndTheSwipePageButNotThePage) {
    sim::RsParameterBlock block = sim::DefaultRsParameterBlock();
    block[rs::kOutputTracks] = '2';
    m_reader->SetRsBlock(block);
    m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
    Rs(1307).SetText("#");

    ClickPage(IDC_RESTORE_DEFAULT);
    EXPECT_EQ(Status(), "restore default" + kOk);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_reader->RsBlock(), sim::DefaultRsParameterBlock());
    EXPECT_EQ(SwipePageSentinels(), kDefaultSentinels);
    EXPECT_EQ(Rs(1307).Text(), "#");
}

TEST_F(RsPage, RefusedCommandsReportInAnErrorBox) {
    struct Case {
        int button;
        std::string caption;
        Sentinels swipePageAfter; // a failed read puts the defaults there
    };
    const Case cases[] = {
        {IDC_GET_VERSION, "get version", kMarked},
        {IDC_GET_PARAMETER, "get parameter", kDefaultSentinels},
        {IDC_APPLY_OPTION, "applcate current option", kMarked},
        {IDC_RESTORE_DEFAULT, "restore default", kMarked},
    };
    m_reader->SetFault({.kind = sim::FaultKind::Refuse, .errorCode = 7});
    Rs(1307).SetText("#");
    SetCheck(1313, 0);
    m_dialog->Item(IDC_VERSION).SetText("before");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        m_recorder.messageBoxes.clear();
        m_dialog->SetTrackSentinels('!', '?', ';', '?', '+', '?');
        ClickPage(c.button);
        EXPECT_EQ(Status(), c.caption + kFailed);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, c.caption + kFailed);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(SwipePageSentinels(), c.swipePageAfter);
        EXPECT_EQ(Rs(1307).Text(), "#") << "a failure leaves the page as it was";
        EXPECT_EQ(Rs(1313).GetCheck(), 0);
        EXPECT_EQ(Text(IDC_VERSION), "before");
    }
}

TEST_F(RsPage, SetBaudrateSendsNothing) {
    const size_t requests = m_reader->RequestCount();
    Rs(IDC_BAUD_RATE).SetCurSel(2);
    ClickPage(IDC_SET_BAUD_RATE);
    EXPECT_EQ(Status(), "set baudrate" + kFailed);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");

    // With no rate chosen the button only restarts the reading thread.
    m_recorder.messageBoxes.clear();
    SetStatusText(*m_dialog, "before");
    Rs(IDC_BAUD_RATE).SetCurSel(-1);
    ClickPage(IDC_SET_BAUD_RATE);
    EXPECT_EQ(Status(), "before");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_TRUE(m_dialog->m_bReadRun);
    EXPECT_EQ(m_reader->RequestCount(), requests);
}

TEST_F(RsPage, OptionBoxesSwitchTheirControls) {
    struct Case {
        int check;
        int edit;
    };
    for (const Case& c : {Case{IDC_PREFIX_ON, IDC_PREFIX}, Case{IDC_SUFFIX_ON, IDC_SUFFIX}}) {
        SCOPED_TRACE(c.check);
        Rs(c.edit).SetText("kept");
        SetCheck(c.check, 1);
        EXPECT_TRUE(Rs(c.edit).IsEnabled());
        SetCheck(c.check, 0);
        EXPECT_FALSE(Rs(c.edit).IsEnabled());
        EXPECT_EQ(Rs(c.edit).Text(), "kept");
    }

    // Switching the buzzer off clears both beeps; switching it on leaves
    // them to the operator.
    SetCheck(IDC_BUZZER_ENABLE, 0);
    for (int id : {IDC_READ_OK_BEEP, IDC_READ_FAIL_BEEP}) {
        EXPECT_FALSE(Rs(id).IsEnabled()) << id;
        EXPECT_EQ(Rs(id).GetCheck(), 0) << id;
    }
    SetCheck(IDC_BUZZER_ENABLE, 1);
    for (int id : {IDC_READ_OK_BEEP, IDC_READ_FAIL_BEEP}) {
        EXPECT_TRUE(Rs(id).IsEnabled()) << id;
        EXPECT_EQ(Rs(id).GetCheck(), 0) << id;
    }
}

using RsPageNoDevice = RsPageTest;

TEST_F(RsPageNoDevice, WithNoDeviceOpenButtonsReportFailure) {
    Open();
    Click(IDC_RADIO_COM);
    m_dialog->SelectTab(4);
    m_recorder.messageBoxes.clear();
    for (const auto& [button, caption] :
         {std::pair{IDC_GET_VERSION, "get version"}, std::pair{IDC_GET_PARAMETER, "get parameter"},
          std::pair{IDC_APPLY_OPTION, "applcate current option"},
          std::pair{IDC_RESTORE_DEFAULT, "restore default"}}) {
        SCOPED_TRACE(caption);
        m_recorder.messageBoxes.clear();
        ClickOn(m_dialog->m_pageRs, button);
        EXPECT_EQ(Status(), caption + kFailed);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_FALSE(m_dialog->m_bReadRun);
    }
}

} // namespace
