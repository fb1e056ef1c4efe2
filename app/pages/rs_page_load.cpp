// The RS232 page's loads: is there an RS232 reader on the port, and its
// parameter block shown in the page. The buttons that do the same reads
// share them.

#include "app/command_bracket.h"
#include "app/decode/card_swipe_stats.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/rs_page.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace rs_page;

namespace {

constexpr int kDetectVersionTimeoutMs = 1000;
constexpr size_t kVersionBufferSize = 200;
constexpr size_t kBlockBufferSize = 100;
constexpr int kStringVersionChecked = 130;

int Bit(uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

// The characters a text field shows: as many as its length byte says, at
// most the field, and none past a zero byte.
std::string FieldText(const uint8_t* field, uint8_t length) {
    const char* bytes = reinterpret_cast<const char*>(field);
    size_t shown = strnlen(bytes, std::min<size_t>(length, kTextFieldSize));
    return Latin1ToUtf8(std::string(bytes, shown));
}

// A sentinel byte as its edit shows it: none for 0xFF, and a zero byte
// ends the text.
std::string SentinelText(uint8_t byte) {
    if (byte == kNoSentinel || byte == 0)
        return {};
    return Latin1ToUtf8(std::string(1, char(byte)));
}

} // namespace

int CRsDlg::RequestVersion(int timeoutMs, std::string* version) {
    uint8_t buffer[kVersionBufferSize] = {};
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    // One byte stays zero, so the text always ends inside the buffer.
    const int result = RsGetVersion(m_pMainDlg->m_hDevice, buffer, int(sizeof buffer - 1),
                                    timeoutMs, requestTrace, kTraceSize, replyTrace, kTraceSize);
    if (result == 0)
        *version = Latin1ToUtf8(reinterpret_cast<const char*>(buffer));
    return result;
}

bool CRsDlg::DetectVersion() {
    std::string version;
    if (RequestVersion(kDetectVersionTimeoutMs, &version) != 0) {
        SetStatusText(*m_pMainDlg, MakeResultMessage(*this, false));
        return false;
    }
    SetStatusText(*m_pMainDlg, ui::LoadString(kStringVersionChecked));
    m_pMainDlg->Item(IDC_VERSION).SetText(version);
    return true;
}

bool CRsDlg::ReadParameters() {
    return LoadParameterBlock(ParameterRead::AtPortOpening) == 0;
}

int CRsDlg::LoadParameterBlock(ParameterRead how) {
    uint8_t block[kBlockBufferSize] = {};
    int count = 0;
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    int result = RsGetParameter(m_pMainDlg->m_hDevice, block, int(sizeof block), &count,
                                requestTrace, kTraceSize, replyTrace, kTraceSize);
    const std::string text = MakeResultMessage(*this, result == 0);
    if (how == ParameterRead::ByButton)
        ReportCommandOutcome(*m_pMainDlg, *this, text, result != 0);
    else
        SetStatusText(*m_pMainDlg, text);
    if (result != 0) {
        m_pMainDlg->SetTrackSentinels(kDefaultTrackSentinels);
        return result;
    }
    // The count is not looked at: bytes a short reply lacks read as zeros.
    ShowParameterBlock(block, how);
    return result;
}

void CRsDlg::ShowParameterBlock(const uint8_t* block, ParameterRead how) {
    // The two power buttons are one choice: checking one clears the other.
    if (block[kPowerByte] == kPowerNormal || block[kPowerByte] == kPowerFromPort) {
        const bool fromPort = block[kPowerByte] == kPowerFromPort;
        Item(IDC_POWER_NORMAL).SetCheck(fromPort ? 0 : 1);
        Item(IDC_POWER_FROM_PORT).SetCheck(fromPort ? 1 : 0);
    }

    const uint8_t* sentinels = block + kSentinelBytes;
    const bool noSentinels =
        std::all_of(sentinels, sentinels + 6, [](uint8_t byte) { return byte == kNoSentinel; });
    Item(IDC_ENABLE_ALL).SetCheck(noSentinels ? 0 : 1);
    for (size_t i = 0; i < IDC_SENTINEL_EDITS.size(); ++i) {
        Item(IDC_SENTINEL_EDITS[i]).Enable(!noSentinels);
        if (!noSentinels)
            Item(IDC_SENTINEL_EDITS[i]).SetText(SentinelText(sentinels[i]));
    }
    if (!noSentinels)
        m_pMainDlg->SetTrackSentinels(std::span<const uint8_t, 6>(sentinels, 6));

    for (size_t i = 0; i < IDC_OUTPUT_TRACK_CHECKS.size(); ++i)
        Item(IDC_OUTPUT_TRACK_CHECKS[i]).SetCheck(Bit(block[kOutputTracksByte], int(i)));
    for (size_t i = 0; i < IDC_CARRIAGE_RETURN_CHECKS.size(); ++i)
        Item(IDC_CARRIAGE_RETURN_CHECKS[i]).SetCheck(Bit(block[kCarriageReturnsByte], 3 - int(i)));

    // A code past the list leaves the selection; one below '0' clears it.
    ui::Control baud = Item(IDC_BAUD_RATE);
    const int baudIndex = block[kBaudCodeByte] - '0';
    if (baudIndex <= baud.GetCount() - 1)
        baud.SetCurSel(baudIndex);

    const uint8_t buzzer = block[kBuzzerByte];
    Item(IDC_BUZZER_ENABLE).SetCheck(Bit(buzzer, 0));
    if (how == ParameterRead::ByButton) {
        Item(IDC_READ_OK_BEEP).Enable(Bit(buzzer, 0));
        Item(IDC_READ_FAIL_BEEP).Enable(Bit(buzzer, 0));
    }
    Item(IDC_READ_OK_BEEP).SetCheck(Bit(buzzer, 1));
    Item(IDC_READ_FAIL_BEEP).SetCheck(Bit(buzzer, 2));

    // Prefix and suffix: on byte, length byte, then the text field.
    struct TextOption {
        int onByte;
        int check;
        int edit;
    };
    for (const TextOption& option : {TextOption{kPrefixOnByte, IDC_PREFIX_ON, IDC_PREFIX},
                                     TextOption{kSuffixOnByte, IDC_SUFFIX_ON, IDC_SUFFIX}}) {
        const bool on = block[option.onByte] != 0;
        Item(option.check).SetCheck(on ? 1 : 0);
        Item(option.edit).Enable(on);
        Item(option.edit).SetText(FieldText(block + option.onByte + 2, block[option.onByte + 1]));
    }
}
