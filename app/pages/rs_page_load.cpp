// The RS232 page's loads: is there an RS232 reader on the port, and its
// parameter block shown in the page.

#include "app/command_bracket.h"
#include "app/main_dialog.h"
#include "app/pages/rs_page.h"
#include "platform/ui/strings.h"
#include "platform/ui/text.h"
#include "reader/reader.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kDetectVersionTimeoutMs = 1000;
constexpr size_t kVersionBufferSize = 200;
constexpr size_t kBlockBufferSize = 100;
constexpr int kTraceSize = 1024;
constexpr int kStringVersionChecked = 130;

// Fields of the parameter block.
constexpr int kPowerByte = 0;
constexpr int kSentinelBytes = 1;
constexpr int kOutputTracksByte = 7;
constexpr int kCarriageReturnsByte = 8;
constexpr int kBaudCodeByte = 9;
constexpr int kBuzzerByte = 10;
constexpr int kPrefixOnByte = 11;
constexpr int kSuffixOnByte = 43;
constexpr int kTextFieldSize = 30;

constexpr uint8_t kPowerNormal = 0x00;
constexpr uint8_t kPowerFromPort = 0x10;
constexpr uint8_t kNoSentinel = 0xFF;

constexpr int IDC_ENABLE_ALL = 1306;
constexpr int IDC_POWER_NORMAL = 1332;
constexpr int IDC_POWER_FROM_PORT = 1333;
constexpr int IDC_BUZZER_ENABLE = 1320;
constexpr int IDC_READ_OK_BEEP = 1321;
constexpr int IDC_READ_FAIL_BEEP = 1322;
constexpr int IDC_BAUD_RATE = 1326;

constexpr int kSentinelEdits[] = {1307, 1308, 1309, 1310, 1311, 1312};
constexpr int kOutputTrackChecks[] = {1313, 1314, 1315};
// Track 1 CR is bit 3, packet CR bit 0.
constexpr int kCarriageReturnChecks[] = {1316, 1317, 1318, 1319};

int Bit(uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

// The characters a text field shows: as many as its length byte says, at
// most the field, and none past a zero byte.
std::string FieldText(const uint8_t* field, uint8_t length) {
    const char* bytes = reinterpret_cast<const char*>(field);
    size_t shown = strnlen(bytes, std::min<size_t>(length, kTextFieldSize));
    return ui::FromLatin1Bytes(std::string(bytes, shown));
}

// A sentinel byte as its edit shows it: none for 0xFF, and a zero byte
// ends the text.
std::string SentinelText(uint8_t byte) {
    if (byte == kNoSentinel || byte == 0)
        return {};
    return ui::FromLatin1Bytes(std::string(1, char(byte)));
}

} // namespace

bool CRsDlg::DetectVersion() {
    uint8_t version[kVersionBufferSize] = {};
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    // One byte stays zero, so the text always ends inside the buffer.
    int result =
        RsGetVersion(m_pMainDlg->m_hDevice, version, int(sizeof version - 1),
                     kDetectVersionTimeoutMs, requestTrace, kTraceSize, replyTrace, kTraceSize);
    if (result != 0) {
        SetStatusText(*m_pMainDlg, MakeResultMessage(*this, false));
        return false;
    }
    SetStatusText(*m_pMainDlg, ui::LoadString(kStringVersionChecked));
    const char* text = reinterpret_cast<const char*>(version);
    m_pMainDlg->Item(IDC_VERSION).SetText(ui::FromLatin1Bytes(text));
    return true;
}

bool CRsDlg::ReadParameters() {
    return LoadParameterBlock(false) == 0;
}

int CRsDlg::LoadParameterBlock(bool beepBoxesFollowBuzzer) {
    uint8_t block[kBlockBufferSize] = {};
    int count = 0;
    char requestTrace[kTraceSize] = {};
    char replyTrace[kTraceSize] = {};
    int result = RsGetParameter(m_pMainDlg->m_hDevice, block, int(sizeof block), &count,
                                requestTrace, kTraceSize, replyTrace, kTraceSize);
    SetStatusText(*m_pMainDlg, MakeResultMessage(*this, result == 0));
    if (result != 0) {
        m_pMainDlg->SetTrackSentinels('%', '?', ';', '?', '+', '?');
        return result;
    }
    // The count is not looked at: bytes a short reply lacks read as zeros.
    ShowParameterBlock(block, beepBoxesFollowBuzzer);
    return result;
}

void CRsDlg::ShowParameterBlock(const uint8_t* block, bool beepBoxesFollowBuzzer) {
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
    for (int i = 0; i < 6; ++i) {
        Item(kSentinelEdits[i]).Enable(!noSentinels);
        if (!noSentinels)
            Item(kSentinelEdits[i]).SetText(SentinelText(sentinels[i]));
    }
    if (!noSentinels)
        m_pMainDlg->SetTrackSentinels(sentinels[0], sentinels[1], sentinels[2], sentinels[3],
                                      sentinels[4], sentinels[5]);

    for (int i = 0; i < 3; ++i)
        Item(kOutputTrackChecks[i]).SetCheck(Bit(block[kOutputTracksByte], i));
    for (int i = 0; i < 4; ++i)
        Item(kCarriageReturnChecks[i]).SetCheck(Bit(block[kCarriageReturnsByte], 3 - i));

    // A code past the list leaves the selection; one below '0' clears it.
    ui::Control baud = Item(IDC_BAUD_RATE);
    const int baudIndex = block[kBaudCodeByte] - '0';
    if (baudIndex <= baud.GetCount() - 1)
        baud.SetCurSel(baudIndex);

    const uint8_t buzzer = block[kBuzzerByte];
    Item(IDC_BUZZER_ENABLE).SetCheck(Bit(buzzer, 0));
    if (beepBoxesFollowBuzzer) {
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
    for (const TextOption& option :
         {TextOption{kPrefixOnByte, 1328, 1330}, TextOption{kSuffixOnByte, 1329, 1331}}) {
        const bool on = block[option.onByte] != 0;
        Item(option.check).SetCheck(on ? 1 : 0);
        Item(option.edit).Enable(on);
        Item(option.edit).SetText(FieldText(block + option.onByte + 2, block[option.onByte + 1]));
    }
}
