// The USB page's apply-all command: every setting of the page in one request.

#include "app/command_bracket.h"
#include "app/decode/hex_text.h"
#include "app/main_dialog.h"
#include "app/pages/edit_bytes.h"
#include "app/pages/usb_page.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <string>
#include <string_view>

using namespace usb_page;

namespace {

constexpr uint8_t kBinaryFormatBit = 0x08;
constexpr uint8_t kCommandModeBit = 0x10;
constexpr int kCommandModeItem = 1;

constexpr int kStringHexDataExpected = 123;

uint8_t BitsOf(const ui::Dialog& page, const int* ids, int count) {
    uint8_t bits = 0;
    for (int i = 0; i < count; ++i)
        if (page.Item(ids[i]).GetCheck() != 0)
            bits |= uint8_t(1 << i);
    return bits;
}

void ShowInputError(const ui::Dialog& page, int stringId) {
    ui::MessageBox(ui::LoadString(stringId), "Error", ui::MessageIcon::Error,
                   ui::MessageButtons::Ok, &page);
}

} // namespace

void CComDlg::OnApplyOption() {
    CommandBracket bracket(m_pMainDlg);

    // No interface selected gives 0xFF, sent as it is.
    uint8_t interfaceFormat = uint8_t(Item(1006).GetCurSel());
    const int format = Item(1007).GetCurSel();
    if (format < 0)
        return;
    if (format != 0)
        interfaceFormat |= kBinaryFormatBit;
    // The reader mode travels in the same byte; without it a reader in
    // command mode would be switched to auto mode.
    if (Item(1014).GetCurSel() == kCommandModeItem)
        interfaceFormat |= kCommandModeBit;

    const int sentinelMode = Item(1339).GetCurSel();
    const std::optional<SentinelSet> sentinels = ReadSentinels(sentinelMode, true);
    if (!sentinels)
        return;
    const uint8_t tracks = BitsOf(*this, kOutputTrackChecks, 3);

    uint8_t endFlag = 0;
    switch (ReadEndFlag(endFlag)) {
    case EndFlagEntry::NoSelection:
    case EndFlagEntry::Refused:
        return;
    case EndFlagEntry::BadCustomText:
        ShowInputError(*this, kStringHexDataExpected);
        return;
    case EndFlagEntry::Read:
        break;
    }

    const uint8_t buzzer = BitsOf(*this, kBuzzerChecks, 2);
    const int speed = Item(1024).GetCurSel();
    if (speed < 0)
        return;
    const uint8_t decoding = BitsOf(*this, kDecodingChecks, 5);
    if (decoding == 0) {
        ShowInputError(*this, kStringNoDecodeMode);
        return;
    }
    const int filterMode = Item(1058).GetCurSel();
    if (filterMode < 0)
        return;
    uint8_t filters[6];
    if (!ReadApplyFilterBytes(filterMode, filters))
        return;
    const std::optional<std::string> deviceIdText = ReadEditBytes(*this, 1148);
    if (!deviceIdText)
        return;
    // Apply-all sends 0 for an id of any other length, without a word.
    const int deviceId = HexDeviceId(*deviceIdText).value_or(0);
    const int frequencyItem = Item(1144).GetCurSel();
    if (frequencyItem < 0)
        return;

    const uint8_t* c = sentinels->chars;
    const SentinelString* r = sentinels->records;
    const int result = CmdApplyOption(
        bracket.Device(), bracket.Transport(), interfaceFormat, c[0], c[1], c[2], c[3], c[4], c[5],
        tracks, endFlag, buzzer, uint8_t(speed), decoding, uint8_t(filterMode), filters[0],
        filters[1], filters[2], filters[3], filters[4], filters[5], deviceId,
        uint8_t(frequencyItem + kFrequencyOfFirstItem), uint8_t(sentinelMode), &r[0], &r[1], &r[2],
        &r[3], &r[4], &r[5]);
    ReportSentinelCommand(result, *sentinels);
}
