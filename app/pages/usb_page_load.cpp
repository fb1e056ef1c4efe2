// The USB page's loads: the reader's version and its parameter block shown
// in the page.

#include "app/command_bracket.h"
#include "app/decode/card_swipe_stats.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/end_key_list.h"
#include "app/pages/usb_page.h"
#include "reader/reader.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace usb_page;

namespace {

constexpr int kDetectVersionTimeoutMs = 1000;
constexpr int kReadParametersTimeoutMs = 1000;

// The most data the parameter read delivers fits with room to spare.
constexpr int kParameterBufferSize = 256;
constexpr size_t kParameterBlockSize = 55;
constexpr size_t kVersionBufferSize = 200;

// Fields of the parameter block.
constexpr int kInterfaceByte = 0;
constexpr int kSentinelBytes = 1;
constexpr int kOutputTracksByte = 7;
constexpr int kEndFlagByte = 8;
constexpr int kBuzzerByte = 9;
constexpr int kSpeedByte = 10;
constexpr int kDecodingByte = 11;
constexpr int kFilterModeByte = 12;
constexpr int kFilterBytes = 13;
constexpr int kDeviceIdByte = 19;
constexpr int kFrequencyByte = 21;
constexpr int kSentinelModeByte = 24;
constexpr int kSentinelStringBytes = 25;

// A byte as the one-character text of a control; a zero byte ends a text,
// so it shows as an empty one.
std::string CharText(uint8_t byte) {
    return byte == 0 ? std::string() : Latin1ToUtf8(std::string(1, char(byte)));
}

int Bit(uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

// A multi-character reader keeps each sentinel as a record; the edit shows
// the record, so that an apply writes back what the reader holds. A record
// that does not agree with the sentinel's own character, and every record
// of a single-character reader, leave the edit at that character.
std::string SentinelText(const uint8_t* block, int sentinel) {
    const uint8_t character = block[kSentinelBytes + sentinel];
    SentinelString record;
    std::memcpy(&record, block + kSentinelStringBytes + sentinel * sizeof record, sizeof record);
    if (block[kSentinelModeByte] != kMultiCharMode || record.length < 1 ||
        record.length > sizeof record.chars || record.chars[0] != character)
        return CharText(character);
    // A zero byte ends a text.
    const char* chars = reinterpret_cast<const char*>(record.chars);
    return Latin1ToUtf8(std::string(chars, strnlen(chars, record.length)));
}

} // namespace

bool CComDlg::DetectVersion() {
    uint8_t version[kVersionBufferSize] = {};
    // One byte stays zero, so the text always ends inside the buffer.
    int result = CmdDetectDevice(m_pMainDlg->m_hDevice, m_pMainDlg->m_nTransportMode, version,
                                 int(sizeof version - 1), kDetectVersionTimeoutMs);
    SetStatusText(*m_pMainDlg, MakeResultMessage(*this, result == 0));
    if (result != 0)
        return false;
    const char* text = reinterpret_cast<const char*>(version);
    m_pMainDlg->Item(IDC_VERSION).SetText(Latin1ToUtf8(text));
    return true;
}

bool CComDlg::ReadParameters() {
    uint8_t block[kParameterBufferSize] = {};
    return LoadParameterBlock(block, kReadParametersTimeoutMs, true) == 0;
}

int CComDlg::LoadParameterBlock(std::span<uint8_t> buffer, int timeoutMs, bool limitSentinelEdits) {
    // The fill reads the whole block whatever the reply carried.
    if (buffer.size() < kParameterBlockSize)
        return ReaderBadArgument;
    int count = 0;
    int result = CmdReadParameter(m_pMainDlg->m_hDevice, m_pMainDlg->m_nTransportMode,
                                  buffer.data(), int(buffer.size()), &count, timeoutMs);
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result != 0) {
        m_pMainDlg->SetTrackSentinels(kDefaultTrackSentinels);
        return result;
    }
    // The count is not looked at: bytes a short reply lacks read as zeros.
    ShowParameterBlock(buffer.data(), limitSentinelEdits);
    return result;
}

void CComDlg::ShowParameterBlock(const uint8_t* block, bool limitSentinelEdits) {
    const std::span<const uint8_t, 6> sentinels(block + kSentinelBytes, 6);
    m_pMainDlg->SetTrackSentinels(sentinels);

    const uint8_t interface = block[kInterfaceByte];
    Item(1006).SetCurSel(interface & 3);
    Item(1007).SetCurSel(Bit(interface, 3));
    Item(1014).SetCurSel(Bit(interface, 4));

    for (int i = 0; i < 6; ++i)
        Item(kSentinelEdits[i]).SetText(SentinelText(block, i));
    for (int i = 0; i < 3; ++i)
        Item(kOutputTrackChecks[i]).SetCheck(Bit(block[kOutputTracksByte], i));

    // The custom end flag shows only over USB HID, as the end-flag list does.
    Item(IDC_CUSTOM_END_FLAG_LABEL).Show(false);
    Item(IDC_CUSTOM_END_FLAG).Show(false);
    Item(IDC_CUSTOM_END_FLAG).SetText("");
    const uint8_t endFlag = block[kEndFlagByte];
    Item(1018).SetCurSel(EndKeyItemOfByte(endFlag));
    if (EndKeyItemOfByte(endFlag) == kEndKeyCustomItem) {
        if (m_pMainDlg->m_nTransportMode == TransportHid) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", endFlag);
            Item(IDC_CUSTOM_END_FLAG_LABEL).Show(true);
            Item(IDC_CUSTOM_END_FLAG).Show(true);
            Item(IDC_CUSTOM_END_FLAG).SetText(hex);
        }
    }

    for (int i = 0; i < 2; ++i)
        Item(kBuzzerChecks[i]).SetCheck(Bit(block[kBuzzerByte], i));
    // Out of the list's range this leaves no selection.
    Item(1024).SetCurSel(block[kSpeedByte]);
    for (int i = 0; i < 5; ++i)
        Item(kDecodingChecks[i]).SetCheck(Bit(block[kDecodingByte], i));

    const int filterMode = block[kFilterModeByte];
    Item(1058).SetCurSel(filterMode);
    UpdateFilterControls(filterMode);
    ShowFilterBytes(filterMode, block + kFilterBytes);

    char deviceId[5];
    std::snprintf(deviceId, sizeof deviceId, "%04X",
                  block[kDeviceIdByte] * 256 + block[kDeviceIdByte + 1]);
    Item(1148).SetText(deviceId);
    Item(1144).SetCurSel(block[kFrequencyByte] - kFrequencyOfFirstItem);

    const int sentinelMode = block[kSentinelModeByte];
    if (sentinelMode == kMultiCharMode || sentinelMode == kSingleCharMode) {
        Item(1339).SetCurSel(sentinelMode);
        if (limitSentinelEdits)
            for (int id : kSentinelEdits)
                Item(id).SetLimitText(sentinelMode == kMultiCharMode ? kMultiCharLimit
                                                                     : kSingleCharLimit);
    }
}

void CComDlg::ShowFilterBytes(int mode, const uint8_t* filterBytes) {
    const bool characters = mode == kFilterModeCharacters;
    if (!characters && mode != kFilterModePositions)
        return;
    for (int i = 0; i < 6; ++i) {
        const FilterControls& filter = kFilters[i];
        const uint8_t byte = filterBytes[i];
        // Bit 7 marks a character filter that is on; a position of 0 is none.
        const bool on = characters ? (byte & 0x80) != 0 : byte != 0;
        if (!on) {
            // As its box leaves an unchecked filter, so that nothing the page
            // showed before is written back as on.
            if (!characters)
                Item(filter.check).Enable(false);
            Item(filter.check).SetCheck(0);
            FollowFilterCheck(i);
            continue;
        }
        for (int id : {filter.frame, filter.check, filter.label, filter.edit})
            Item(id).Enable(true);
        Item(filter.check).SetCheck(1);
        Item(filter.edit).SetText(characters ? CharText(byte & 0x7F) : std::to_string(byte));
    }
}
