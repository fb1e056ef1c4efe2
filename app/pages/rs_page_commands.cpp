// The RS232 page's buttons: each sends one STX command inside the command
// bracket and reports in the status line, failures also in a box.

#include "app/command_bracket.h"
#include "app/decode/card_swipe_stats.h"
#include "app/main_dialog.h"
#include "app/pages/edit_bytes.h"
#include "app/pages/rs_page.h"
#include "platform/ui/message_box.h"
#include "reader/reader.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

using namespace rs_page;

namespace {

constexpr int kGetVersionTimeoutMs = 2000;
constexpr uint8_t kTextFieldFill = '0';

struct BaudCode {
    int rate;
    uint8_t code;
};
constexpr BaudCode kBaudCodes[] = {
    {4800, '0'}, {9600, '1'}, {19200, '2'}, {38400, '3'}, {115200, '4'},
};
constexpr uint8_t kBaudCodeUnknown = '1';

// The leading decimal digits of a text; 0 when there are none.
int DecimalValue(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

uint8_t CodeOfRate(int rate) {
    for (const BaudCode& entry : kBaudCodes) {
        if (entry.rate == rate)
            return entry.code;
    }
    return kBaudCodeUnknown;
}

// On byte, length byte and the text padded with '0'. The edit's limit binds
// only typing, so a longer text is cut to the field.
void PutTextOption(uint8_t* at, const ui::Control& check, std::string_view text) {
    text = text.substr(0, kTextFieldSize);
    at[0] = check.GetCheck() != 0 ? 1 : 0;
    at[1] = uint8_t(text.size());
    uint8_t* field = at + 2;
    std::fill_n(field, kTextFieldSize, kTextFieldFill);
    std::copy(text.begin(), text.end(), field);
}

} // namespace

void CRsDlg::OnGetVersion() {
    CommandBracket bracket(m_pMainDlg);
    std::string version;
    const int result = RequestVersion(kGetVersionTimeoutMs, &version);
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result == 0)
        m_pMainDlg->Item(IDC_VERSION).SetText(version);
}

void CRsDlg::OnGetParameter() {
    CommandBracket bracket(m_pMainDlg);
    LoadParameterBlock(ParameterRead::ByButton);
}

std::optional<std::array<uint8_t, kRsParameterBlockSize>> CRsDlg::BuildParameterBlock() const {
    std::array<uint8_t, kRsParameterBlockSize> block{};
    block[kPowerByte] = Item(IDC_POWER_FROM_PORT).GetCheck() != 0 ? kPowerFromPort : kPowerNormal;

    // With the sentinels switched off the reader gets none, whatever the
    // edits hold; an empty edit is no sentinel either.
    const bool sentinelsOn = Item(IDC_ENABLE_ALL).GetCheck() != 0;
    for (size_t i = 0; i < IDC_SENTINEL_EDITS.size(); ++i) {
        block[kSentinelBytes + i] = kNoSentinel;
        if (!sentinelsOn)
            continue;
        const std::optional<std::string> text = ReadEditBytes(*this, IDC_SENTINEL_EDITS[i]);
        if (!text)
            return std::nullopt;
        if (!text->empty())
            block[kSentinelBytes + i] = uint8_t((*text)[0]);
    }

    uint8_t tracks = 0;
    for (size_t i = 0; i < IDC_OUTPUT_TRACK_CHECKS.size(); ++i) {
        if (Item(IDC_OUTPUT_TRACK_CHECKS[i]).GetCheck() != 0)
            tracks |= uint8_t(1u << i);
    }
    block[kOutputTracksByte] = uint8_t('0' + tracks);

    uint8_t returns = 0;
    for (size_t i = 0; i < IDC_CARRIAGE_RETURN_CHECKS.size(); ++i) {
        if (Item(IDC_CARRIAGE_RETURN_CHECKS[i]).GetCheck() != 0)
            returns |= uint8_t(0x08u >> i);
    }
    block[kCarriageReturnsByte] = returns;

    const ui::Control baud = Item(IDC_BAUD_RATE);
    const int selected = baud.GetCurSel();
    block[kBaudCodeByte] =
        selected < 0 ? kBaudCodeUnknown : CodeOfRate(DecimalValue(baud.GetItemText(selected)));

    uint8_t buzzer = 0;
    const int buzzerChecks[] = {IDC_BUZZER_ENABLE, IDC_READ_OK_BEEP, IDC_READ_FAIL_BEEP};
    for (size_t i = 0; i < std::size(buzzerChecks); ++i) {
        if (Item(buzzerChecks[i]).GetCheck() != 0)
            buzzer |= uint8_t(1u << i);
    }
    block[kBuzzerByte] = buzzer;

    const std::optional<std::string> prefix = ReadEditBytes(*this, IDC_PREFIX);
    if (!prefix)
        return std::nullopt;
    const std::optional<std::string> suffix = ReadEditBytes(*this, IDC_SUFFIX);
    if (!suffix)
        return std::nullopt;
    PutTextOption(block.data() + kPrefixOnByte, Item(IDC_PREFIX_ON), *prefix);
    PutTextOption(block.data() + kSuffixOnByte, Item(IDC_SUFFIX_ON), *suffix);
    return block;
}

void CRsDlg::OnApplyOption() {
    CommandBracket bracket(m_pMainDlg);
    const std::optional<std::array<uint8_t, kRsParameterBlockSize>> block = BuildParameterBlock();
    if (!block)
        return;
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    const int result = RsApplyOption(bracket.Device(), block->data(), requestTrace, kTraceSize,
                                     replyTrace, kTraceSize);
    if (result != 0) {
        ReportCommandResult(*m_pMainDlg, *this, result);
        return;
    }
    const std::string text = MakeResultMessage(*this, true);
    SetStatusText(*m_pMainDlg, text);
    ui::MessageBox(text, "Information", ui::MessageIcon::Information, ui::MessageButtons::Ok, this);
    if (Item(IDC_ENABLE_ALL).GetCheck() != 0)
        m_pMainDlg->SetTrackSentinels(
            std::span<const uint8_t, 6>(block->data() + kSentinelBytes, 6));
}

// The page keeps its controls: a following parameter read shows the
// reader's defaults.
void CRsDlg::OnRestoreDefault() {
    CommandBracket bracket(m_pMainDlg);
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    const int result =
        RsRestoreDefault(bracket.Device(), requestTrace, kTraceSize, replyTrace, kTraceSize);
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result == 0)
        m_pMainDlg->SetTrackSentinels(kDefaultTrackSentinels);
}

// The reader's rate travels in the parameter block; this button sends
// nothing and, with a rate chosen, reports failure.
void CRsDlg::OnSetBaudrate() {
    CommandBracket bracket(m_pMainDlg);
    if (Item(IDC_BAUD_RATE).GetCurSel() < 0)
        return;
    ReportCommandOutcome(*m_pMainDlg, *this, MakeResultMessage(*this, false), true);
}
