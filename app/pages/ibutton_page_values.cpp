// The iButton page's values as the commands take them from the controls,
// and how the page reports a value that fails its check.

#include "app/command_bracket.h"
#include "app/decode/hex_text.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/end_key_list.h"
#include "app/pages/ibutton_page.h"
#include "platform/ui/strings.h"

#include <iterator>
#include <string>

using namespace ibutton_page;

namespace {

constexpr int IDC_DATA_FORMAT = 1176;
constexpr int IDC_BUZZER = 1179;
constexpr int IDC_IBUTTON_CODE = 1177;
constexpr int IDC_IBUTTON_CRC = 1178;
constexpr int IDC_FILTER_START = 1168;
constexpr int IDC_FILTER_END = 1169;

constexpr int kStringCustomEndCharMissing = 122;
constexpr int kStringFilterNotHex = 123;
constexpr int kStringFilterNotAscending = 126;

constexpr size_t kHexByteLength = 2;

} // namespace

uint8_t CIBtnDlg::InterfaceFormatByte() const {
    return uint8_t(2 * Item(IDC_DATA_FORMAT).GetCurSel() + Item(IDC_INTERFACE).GetCurSel());
}

uint8_t CIBtnDlg::EnableByte() const {
    return uint8_t(4 * Item(IDC_IBUTTON_CRC).GetCurSel() + 2 * Item(IDC_IBUTTON_CODE).GetCurSel() +
                   Item(IDC_BUZZER).GetCurSel());
}

CIBtnDlg::Entry CIBtnDlg::ReadEndChar(uint8_t& endChar) {
    const int item = Item(IDC_END_CHAR_LIST).GetCurSel();
    if (item < 0 || item >= kEndKeyItemCount)
        return Entry::NoSelection;
    if (item != kEndKeyCustomItem) {
        endChar = EndKeyByteOfItem(item);
        return Entry::Read;
    }
    const std::optional<uint8_t> custom = ReadHexByte(IDC_END_CHAR, kStringCustomEndCharMissing);
    if (!custom)
        return Entry::InputError;
    endChar = *custom;
    return Entry::Read;
}

CIBtnDlg::Entry CIBtnDlg::ReadDataFilter(uint8_t& start, uint8_t& end) {
    const std::optional<uint8_t> startByte = ReadHexByte(IDC_FILTER_START, kStringFilterNotHex);
    if (!startByte)
        return Entry::InputError;
    const std::optional<uint8_t> endByte = ReadHexByte(IDC_FILTER_END, kStringFilterNotHex);
    if (!endByte)
        return Entry::InputError;
    // Neither edit is more to blame than the other, so the focus stays.
    if (*startByte >= *endByte) {
        ReportInputError(ui::LoadString(kStringFilterNotAscending), 0);
        return Entry::InputError;
    }
    start = *startByte;
    end = *endByte;
    return Entry::Read;
}

std::optional<uint8_t> CIBtnDlg::ReadHexByte(int editId, int lengthErrorStringId) {
    const std::optional<std::string> text = ReadEditBytes(editId);
    if (!text)
        return std::nullopt;
    if (text->size() != kHexByteLength) {
        ReportInputError(ui::LoadString(lengthErrorStringId), editId);
        return std::nullopt;
    }
    return HexStrToByte(*text);
}

std::optional<std::string> CIBtnDlg::ReadEditBytes(int editId) {
    std::optional<std::string> bytes = Utf8ToLatin1(Item(editId).Text());
    if (!bytes)
        ReportInputError(ui::LoadNotice(res::Notice::NotLatin1), editId);
    return bytes;
}

void CIBtnDlg::ReportInputError(std::string_view message, int focusId) {
    m_strMsg = message;
    SetStatusColour(*m_pMainDlg, kStatusFailColour);
    SetStatusText(*m_pMainDlg, m_strMsg);
    if (focusId != 0)
        Item(focusId).SetFocus();
}
