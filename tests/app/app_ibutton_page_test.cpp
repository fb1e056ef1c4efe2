// The iButton page's buttons against the stand-in reader: what each one sets
// in the reader, the read-backs, how failures and input errors are reported,
// and the end-character list's own rule.

#include "app/command_bracket.h"
#include "app/read_thread.h"
#include "tests/app/app_load_fixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

namespace ib = sim::ibutton_block;

const std::string kKeyboardHint = "USB键盘的模式下，需要手动定位的到最后一个标签页面进行数据的接收";

constexpr int kIButtonTab = 1;
constexpr int kSwipeTestTab = 3;

class IButtonPage : public AppLoad {
protected:
    sim::StandInReader& OpenPageOverHid() {
        sim::StandInReader& reader = OpenOverHid();
        ShowPage();
        return reader;
    }

    void ShowPage() {
        m_dialog->SelectTab(kIButtonTab);
        m_recorder.messageBoxes.clear();
    }

    void ClickPage(int id) { ClickOn(m_dialog->m_pageIBtn, id); }

    void Choose(int id, int index) { ChooseOn(m_dialog->m_pageIBtn, id, index); }

    void SetCustomEndChar(const std::string& text) {
        Choose(1180, 2);
        IButton(1163).SetText(text);
    }

    void SetFilter(const std::string& start, const std::string& end) {
        IButton(1168).SetText(start);
        IButton(1169).SetText(end);
    }

    std::string Caption(int id) const { return IButton(id).Text(); }
};

TEST_F(IButtonPage, EachSettingButtonSetsItsFieldInTheReader) {
    sim::StandInReader& reader = OpenPageOverHid();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int button;
        std::vector<std::pair<size_t, uint8_t>> expected; // block byte, value
    };
    const auto selections = [this](std::vector<std::pair<int, int>> picks) {
        return [this, picks] {
            for (const auto& [id, index] : picks)
                IButton(id).SetCurSel(index);
        };
    };
    const std::string fifteen = "ABCDEFGHIJKLMNO";
    const Case cases[] = {
        {"custom interface, dec format",
         selections({{1175, 1}, {1176, 1}}),
         1158,
         {{ib::kInterface, 0x03}}},
        {"custom interface, hex format",
         selections({{1175, 1}, {1176, 0}}),
         1158,
         {{ib::kInterface, 0x01}}},
        {"buzzer and crc",
         selections({{1179, 1}, {1177, 0}, {1178, 1}}),
         1166,
         {{ib::kEnable, 0x05}}},
        {"code only", selections({{1179, 0}, {1177, 1}, {1178, 0}}), 1166, {{ib::kEnable, 0x02}}},
        {"Enter", selections({{1180, 0}}), 1165, {{ib::kEndChar, 0x58}}},
        {"Tab", selections({{1180, 1}}), 1165, {{ib::kEndChar, 0x2B}}},
        {"null", selections({{1180, 3}}), 1165, {{ib::kEndChar, 0x00}}},
        {"custom 0D", [this] { SetCustomEndChar("0D"); }, 1165, {{ib::kEndChar, 0x0D}}},
        {"custom 58 is Enter's byte",
         [this] { SetCustomEndChar("58"); },
         1165,
         {{ib::kEndChar, 0x58}}},
        {"default filter",
         [this] { SetFilter("00", "FF"); },
         1170,
         {{ib::kFilterStart, 0x00}, {ib::kFilterEnd, 0xFF}}},
        {"a blank is a zero nibble",
         [this] { SetFilter("A ", "FF"); },
         1170,
         {{ib::kFilterStart, 0xA0}, {ib::kFilterEnd, 0xFF}}},
        {"lower case as a read-back leaves it",
         [this] { SetFilter("0a", "f0"); },
         1170,
         {{ib::kFilterStart, 0x0A}, {ib::kFilterEnd, 0xF0}}},
        {"withdraw",
         [this] { IButton(1164).SetText("W1"); },
         1167,
         {{ib::kWithdrawLength, 2}, {ib::kWithdraw, 'W'}, {ib::kWithdraw + 1, '1'}}},
        {"empty withdraw",
         [this] { IButton(1164).SetText(""); },
         1167,
         {{ib::kWithdrawLength, 0}, {ib::kWithdraw, 0}}},
        {"a Latin-1 prefix character is one byte",
         [this] {
             IButton(1160).SetText("é");
             IButton(1161).SetText("");
         },
         1162,
         {{ib::kPrefixLength, 1}, {ib::kPrefix, 0xE9}, {ib::kSuffixLength, 0}}},
        {"prefix and a full suffix",
         [this, fifteen] {
             IButton(1160).SetText("P");
             IButton(1161).SetText(fifteen);
         },
         1162,
         {{ib::kPrefixLength, 1},
          {ib::kPrefix, 'P'},
          {ib::kSuffixLength, 15},
          {ib::kSuffix, 'A'},
          {ib::kSuffix + 14, 'O'}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::IButtonParameterBlock block = sim::DefaultIButtonParameterBlock();
        block[ib::kWithdraw] = 'x';
        reader.SetIButtonBlock(block);
        c.arrange();
        ClickPage(c.button);
        EXPECT_EQ(Status(), Caption(c.button) + kOk);
        const sim::IButtonParameterBlock set = reader.IButtonBlock();
        for (const auto& [at, value] : c.expected)
            EXPECT_EQ(set[at], value) << "byte " << at;
        EXPECT_TRUE(ReadThreadRuns());
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPage, ApplyAllSendsTheWholeBlockAndReadBackShowsIt) {
    sim::StandInReader& reader = OpenPageOverHid();
    IButton(1175).SetCurSel(1);
    IButton(1176).SetCurSel(0);
    IButton(1179).SetCurSel(0);
    IButton(1177).SetCurSel(1);
    IButton(1178).SetCurSel(1);
    SetCustomEndChar("0D");
    SetFilter("1A", "F0");
    IButton(1164).SetText("WD");
    // A text set from code may pass the edit's limit; the block holds 15.
    IButton(1160).SetText("PREFIX-LONGER-THAN-15");
    IButton(1161).SetText("");
    ClickPage(1171);
    EXPECT_EQ(Status(), Caption(1171) + kOk);

    sim::IButtonParameterBlock expected{};
    expected[ib::kInterface] = 0x01;
    expected[ib::kEnable] = 0x06;
    expected[ib::kEndChar] = 0x0D;
    expected[ib::kFilterStart] = 0x1A;
    expected[ib::kFilterEnd] = 0xF0;
    expected[ib::kWithdrawLength] = 2;
    expected[ib::kWithdraw] = 'W';
    expected[ib::kWithdraw + 1] = 'D';
    expected[ib::kPrefixLength] = 15;
    const std::string prefix = "PREFIX-LONGER-T";
    std::copy(prefix.begin(), prefix.end(), expected.begin() + ib::kPrefix);
    EXPECT_EQ(reader.IButtonBlock(), expected);

    // Another picture on the page, then the reader's block back into it.
    IButton(1175).SetCurSel(0);
    IButton(1180).SetCurSel(0);
    IButton(1163).Show(false);
    SetFilter("00", "FF");
    IButton(1164).SetText("");
    IButton(1160).SetText("");
    ClickPage(1173);
    EXPECT_EQ(Status(), Caption(1173) + kOk);
    EXPECT_EQ(IButton(1175).GetCurSel(), 1);
    EXPECT_EQ(IButton(1180).GetCurSel(), 2);
    EXPECT_TRUE(IButton(1163).IsVisible());
    EXPECT_EQ(IButton(1163).Text(), "0d");
    EXPECT_EQ(IButton(1168).Text(), "1a");
    EXPECT_EQ(IButton(1169).Text(), "f0");
    EXPECT_EQ(IButton(1164).Text(), "WD");
    EXPECT_EQ(IButton(1160).Text(), prefix);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPage, RestoreDefaultLeavesThePageUntilItIsReadBack) {
    sim::StandInReader& reader = OpenPageOverHid();
    SetFilter("12", "34");
    ClickPage(1170);
    ClickPage(1172);
    EXPECT_EQ(Status(), Caption(1172) + kOk);
    EXPECT_EQ(reader.IButtonBlock(), sim::DefaultIButtonParameterBlock());
    EXPECT_EQ(IButton(1168).Text(), "12");

    ClickPage(1173);
    EXPECT_EQ(IButton(1168).Text(), "00");
    EXPECT_EQ(IButton(1169).Text(), "ff");
    EXPECT_EQ(IButton(1180).GetCurSel(), 0);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPage, VersionAndDeviceIdGoToTheMainDialogsLabels) {
    sim::StandInReader& reader = OpenPageOverHid();
    reader.SetInfoText("IBTN V\xE9"); // a byte above 0x7F survives as its character
    sim::ReaderParameterBlock block = sim::DefaultReaderParameterBlock();
    block[sim::reader_block::kDeviceId] = 0x12;
    block[sim::reader_block::kDeviceId + 1] = 0x34;
    reader.SetReaderBlock(block);

    ClickPage(1157);
    EXPECT_EQ(Status(), Caption(1157) + kOk);
    EXPECT_EQ(Text(IDC_VERSION), "IBTN Vé");

    SetStatusColour(*m_dialog, kStatusFailColour);
    ClickPage(1174);
    EXPECT_EQ(Status(), "Id: 1234");
    EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), kStatusOkColour);
    EXPECT_EQ(Text(IDC_HARDWARE_ID), "1234");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPage, RefusedReadsShowABoxAndKeepWhatTheyWouldFill) {
    sim::StandInReader& reader = OpenPageOverHid();
    m_dialog->Item(IDC_VERSION).SetText("V1");
    m_dialog->Item(IDC_HARDWARE_ID).SetText("ABCD");
    SetFilter("12", "34");
    struct Case {
        int button;
        int label; // 0: none
        std::string labelAfter;
    };
    for (const Case& c :
         {Case{1157, IDC_VERSION, ""}, Case{1174, IDC_HARDWARE_ID, "ABCD"}, Case{1173, 0, ""}}) {
        SCOPED_TRACE(c.button);
        m_recorder.messageBoxes.clear();
        reader.SetFault({.kind = sim::FaultKind::Refuse});
        ClickPage(c.button);
        reader.ClearFault();
        const std::string text = Caption(c.button) + kFailed;
        EXPECT_EQ(Status(), text);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, text);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        if (c.label != 0) {
            EXPECT_EQ(Text(c.label), c.labelAfter);
        }
    }
    EXPECT_EQ(IButton(1168).Text(), "12");
    EXPECT_TRUE(ReadThreadRuns());
}

TEST_F(IButtonPage, KeyboardInterfaceOverHidShowsTheHintThenTheSwipeTestTab) {
    OpenPageOverHid();
    IButton(1175).SetCurSel(1);
    ClickPage(1158);
    EXPECT_TRUE(m_recorder.messageBoxes.empty()) << "HID Custom gives no hint";
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), kIButtonTab);

    IButton(1175).SetCurSel(0);
    ClickPage(1158);
    EXPECT_EQ(Status(), Caption(1158) + kOk);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, kKeyboardHint);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Info");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), kSwipeTestTab);
    EXPECT_TRUE(m_dialog->m_pageHidTest.IsVisible());
    EXPECT_FALSE(m_dialog->m_pageIBtn.IsVisible());
}

TEST_F(IButtonPage, KeyboardInterfaceOverComGivesNoHint) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::LengthPrefixed);
    ShowPage();
    ASSERT_EQ(IButton(1175).GetCurSel(), 0);
    ClickPage(1158);
    EXPECT_EQ(Status(), Caption(1158) + kOk);
    EXPECT_EQ(reader.IButtonBlock()[ib::kInterface], 0x00);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), kIButtonTab);
}

TEST_F(IButtonPage, WithNoDeviceEveryButtonFailsWithABoxAndLeavesTheThreadAlone) {
    Open();
    ShowPage();
    m_dialog->Item(IDC_VERSION).SetText("V1");
    for (int button : {1157, 1158, 1166, 1165, 1170, 1167, 1162, 1171, 1172, 1173, 1174}) {
        SCOPED_TRACE(button);
        m_recorder.messageBoxes.clear();
        ClickPage(button);
        const std::string text = Caption(button) + kFailed;
        EXPECT_EQ(Status(), text);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, text);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_FALSE(m_dialog->m_bReadRun);
        EXPECT_FALSE(ReadThreadRuns());
    }
    EXPECT_EQ(Text(IDC_VERSION), "") << "a failed detect empties the version";
    EXPECT_EQ(m_dialog->m_tabPages.GetCurSel(), kIButtonTab);
}

TEST_F(IButtonPage, TextsPastTheReadersFieldAreRefusedByTheSingleSettingButtons) {
    sim::StandInReader& reader = OpenPageOverHid();
    const size_t requests = reader.RequestCount();
    IButton(1164).SetText(std::string(16, 'W'));
    ClickPage(1167);
    IButton(1160).SetText(std::string(16, 'P'));
    ClickPage(1162);
    EXPECT_EQ(reader.RequestCount(), requests);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 2u);
    EXPECT_EQ(m_recorder.messageBoxes[1].text, Caption(1162) + kFailed);
}

using IButtonPageInput = IButtonPage;

TEST_F(IButtonPageInput, BadValuesGoRedIntoTheStatusLineWithTheFocusOnTheEdit) {
    sim::StandInReader& reader = OpenPageOverHid();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int button;
        int stringId;
        int focus; // 0: neither filter edit gets it
    };
    const Case cases[] = {
        {"empty custom end char", [this] { SetCustomEndChar(""); }, 1165, 122, 1163},
        {"one-digit custom end char", [this] { SetCustomEndChar("0"); }, 1171, 122, 1163},
        {"end char checked before the filter",
         [this] {
             SetCustomEndChar("0");
             SetFilter("1", "2");
         },
         1171, 122, 1163},
        {"one-digit start", [this] { SetFilter("1", "FF"); }, 1170, 123, 1168},
        {"start checked before end", [this] { SetFilter("1", ""); }, 1171, 123, 1168},
        {"one-digit end", [this] { SetFilter("00", "F"); }, 1171, 123, 1169},
        {"equal values", [this] { SetFilter("10", "10"); }, 1170, 126, 0},
        {"start above end", [this] { SetFilter("20", "1F"); }, 1171, 126, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IButton(1180).SetCurSel(0);
        SetFilter("00", "FF");
        c.arrange();
        SetStatusColour(*m_dialog, kStatusOkColour);
        const size_t requests = reader.RequestCount();
        ClickPage(c.button);
        EXPECT_EQ(Status(), String(c.stringId));
        EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), kStatusFailColour);
        if (c.focus != 0) {
            EXPECT_TRUE(IButton(c.focus).HasFocus());
        } else {
            EXPECT_FALSE(IButton(1168).HasFocus());
            EXPECT_FALSE(IButton(1169).HasFocus());
        }
        EXPECT_EQ(reader.RequestCount(), requests);
        EXPECT_TRUE(ReadThreadRuns()) << "the thread starts again";
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPageInput, TextsTheReaderCannotTakeAreRefusedBeforeSending) {
    sim::StandInReader& reader = OpenPageOverHid();
    struct Case {
        const char* name;
        int edit;
        const char* text;
        int button;
    };
    const Case cases[] = {
        {"prefix", 1160, "P中", 1162},
        {"suffix in apply-all", 1161, "€", 1171},
        {"withdraw", 1164, "Ā", 1167},
        {"custom end char", 1163, "中D", 1165},
    };
    const std::string refusal = ui::LoadNotice(res::Notice::NotLatin1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(1180, 2);
        IButton(1163).SetText("0D");
        for (int id : {1160, 1161, 1164})
            IButton(id).SetText("");
        IButton(c.edit).SetText(c.text);
        SetStatusColour(*m_dialog, kStatusOkColour);
        const size_t requests = reader.RequestCount();
        ClickPage(c.button);
        EXPECT_EQ(reader.RequestCount(), requests);
        EXPECT_EQ(Status(), refusal);
        EXPECT_EQ(m_dialog->m_lblStatus.TextColor(), kStatusFailColour);
        EXPECT_TRUE(IButton(c.edit).HasFocus());
        EXPECT_TRUE(ReadThreadRuns());
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPageInput, EndCharWithoutSelectionEndsSilently) {
    sim::StandInReader& reader = OpenPageOverHid();
    IButton(1180).SetCurSel(-1);
    const size_t requests = reader.RequestCount();
    for (int button : {1165, 1171}) {
        SetStatusText(*m_dialog, "before");
        ClickPage(button);
        EXPECT_EQ(Status(), "before");
        EXPECT_TRUE(ReadThreadRuns());
    }
    EXPECT_EQ(reader.RequestCount(), requests);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(IButtonPageInput, CustomEndCharEditShowsOnlyForSelfDefine) {
    Open();
    ShowPage();
    EXPECT_FALSE(IButton(1163).IsVisible());
    for (int item : {2, 1, 3, 2, 0}) {
        SCOPED_TRACE(item);
        Choose(1180, item);
        if (item == 2)
            IButton(1163).SetText("0D");
        EXPECT_EQ(IButton(1163).IsVisible(), item == 2);
        EXPECT_EQ(IButton(1181).IsVisible(), item == 2);
        EXPECT_EQ(IButton(1163).Text(), "0D") << "the edit keeps its text";
    }
}

} // namespace
