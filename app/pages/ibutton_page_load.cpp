// The iButton page's loads: the iButton parameter block shown in the page,
// and the reader's device id.

#include "app/command_bracket.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/end_key_list.h"
#include "app/pages/ibutton_page.h"
#include "reader/reader.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace ibutton_page;

namespace {

constexpr int kLoadTimeoutMs = 1000;

int Bit(uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

// A text field of the block: its bytes up to the first zero, all of them
// when none is zero.
std::string FieldText(const uint8_t (&field)[kIButtonTextLength]) {
    const char* bytes = reinterpret_cast<const char*>(field);
    return Latin1ToUtf8(std::string(bytes, strnlen(bytes, sizeof field)));
}

std::string HexByte(const char* format, uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, format, byte);
    return text;
}

} // namespace

bool CIBtnDlg::ReadParameters() {
    return LoadParameterBlock(kLoadTimeoutMs) == 0;
}

bool CIBtnDlg::ReadDeviceId() {
    return LoadDeviceId(kLoadTimeoutMs) == 0;
}

int CIBtnDlg::LoadParameterBlock(int timeoutMs) {
    uint8_t interfaceFormat = 0, enable = 0, endChar = 0, reserved = 0, filterStart = 0,
            filterEnd = 0, withdrawLength = 0, prefixLength = 0, suffixLength = 0;
    uint8_t withdraw[kIButtonTextLength] = {};
    uint8_t prefix[kIButtonTextLength] = {};
    uint8_t suffix[kIButtonTextLength] = {};
    int result =
        CmdIBtnGetParameter(m_pMainDlg->m_hDevice, m_pMainDlg->m_nTransportMode, &interfaceFormat,
                            &enable, &endChar, &reserved, &filterStart, &filterEnd, &withdrawLength,
                            withdraw, &prefixLength, &suffixLength, prefix, suffix, timeoutMs);
    SetStatusText(*m_pMainDlg, MakeResultMessage(*this, result == 0));
    if (result != 0)
        return result;

    Item(1175).SetCurSel(Bit(interfaceFormat, 0));
    Item(1176).SetCurSel(Bit(interfaceFormat, 1));
    Item(1179).SetCurSel(Bit(enable, 0));
    Item(1177).SetCurSel(Bit(enable, 1));
    Item(1178).SetCurSel(Bit(enable, 2));

    Item(IDC_END_CHAR_LABEL).Show(false);
    Item(IDC_END_CHAR).Show(false);
    Item(1180).SetCurSel(EndKeyItemOfByte(endChar));
    if (EndKeyItemOfByte(endChar) == kEndKeyCustomItem) {
        Item(IDC_END_CHAR_LABEL).Show(true);
        Item(IDC_END_CHAR).Show(true);
        Item(IDC_END_CHAR).SetText(HexByte("%02x", endChar));
    }

    Item(1168).SetText(HexByte("%02x", filterStart));
    Item(1169).SetText(HexByte("%02x", filterEnd));
    Item(1164).SetText(FieldText(withdraw));
    Item(1160).SetText(FieldText(prefix));
    Item(1161).SetText(FieldText(suffix));
    return result;
}

int CIBtnDlg::LoadDeviceId(int timeoutMs) {
    uint8_t idHigh = 0, idLow = 0;
    int result = CmdGetDeviceId(m_pMainDlg->m_hDevice, m_pMainDlg->m_nTransportMode, &idHigh,
                                &idLow, timeoutMs);
    SetStatusText(*m_pMainDlg, MakeResultMessage(*this, result == 0));
    if (result != 0)
        return result;
    char id[5];
    std::snprintf(id, sizeof id, "%02X%02X", idHigh, idLow);
    SetStatusColour(*m_pMainDlg, kStatusOkColour);
    SetStatusText(*m_pMainDlg, std::string("Id: ") + id);
    m_pMainDlg->Item(IDC_HARDWARE_ID).SetText(id);
    return result;
}
