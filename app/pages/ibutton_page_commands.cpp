// The iButton page's buttons: each sends one reader command inside the
// command bracket and reports in the status line, failures also in a box.

#include "app/command_bracket.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/end_key_list.h"
#include "app/pages/ibutton_page.h"
#include "app/pages/keyboard_mode_hint.h"
#include "platform/ui/message_box.h"
#include "reader/reader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

using namespace ibutton_page;

namespace {

constexpr int IDC_DETECT_DEVICE = 1157;
constexpr int IDC_SET_INTERFACE = 1158;
constexpr int IDC_SET_PREFIX_SUFFIX = 1162;
constexpr int IDC_SET_END_CHAR = 1165;
constexpr int IDC_SET_ENABLE = 1166;
constexpr int IDC_SET_WITHDRAW = 1167;
constexpr int IDC_SET_DATA_FILTER = 1170;
constexpr int IDC_APPLY_OPTION = 1171;
constexpr int IDC_RESTORE_DEFAULT = 1172;
constexpr int IDC_GET_PARAMETER = 1173;
constexpr int IDC_GET_DEVICE_ID = 1174;

constexpr int IDC_PREFIX = 1160;
constexpr int IDC_SUFFIX = 1161;
constexpr int IDC_WITHDRAW = 1164;

constexpr int kKeyboardInterfaceItem = 0;

constexpr int kGetParameterTimeoutMs = 3000;
constexpr int kGetDeviceIdTimeoutMs = 5000;
constexpr size_t kVersionBufferSize = 200;

const uint8_t* BytesOf(const std::string& text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}

} // namespace

void CIBtnDlg::BindCommandHandlers() {
    OnCommand(IDC_DETECT_DEVICE, ui::Notify::Clicked, [this] { OnDetectDevice(); });
    OnCommand(IDC_SET_INTERFACE, ui::Notify::Clicked, [this] { OnSetInterface(); });
    OnCommand(IDC_SET_ENABLE, ui::Notify::Clicked, [this] { OnSetEnable(); });
    OnCommand(IDC_SET_END_CHAR, ui::Notify::Clicked, [this] { OnSetEndChar(); });
    OnCommand(IDC_SET_DATA_FILTER, ui::Notify::Clicked, [this] { OnSetDataFilter(); });
    OnCommand(IDC_SET_WITHDRAW, ui::Notify::Clicked, [this] { OnSetWithdraw(); });
    OnCommand(IDC_SET_PREFIX_SUFFIX, ui::Notify::Clicked, [this] { OnSetPrefixSuffix(); });
    OnCommand(IDC_APPLY_OPTION, ui::Notify::Clicked, [this] { OnApplyOption(); });
    OnCommand(IDC_RESTORE_DEFAULT, ui::Notify::Clicked, [this] { OnRestoreDefault(); });
    OnCommand(IDC_GET_PARAMETER, ui::Notify::Clicked, [this] { OnGetParameter(); });
    OnCommand(IDC_GET_DEVICE_ID, ui::Notify::Clicked, [this] { OnGetDeviceId(); });
    OnCommand(IDC_END_CHAR_LIST, ui::Notify::SelChange, [this] { OnSelChangeEndChar(); });
}

void CIBtnDlg::OnDetectDevice() {
    CommandBracket bracket(m_pMainDlg);
    uint8_t version[kVersionBufferSize] = {};
    // The last byte stays zero, so the text always ends inside the buffer.
    const int result =
        CmdIBtnDetectDevice(bracket.Device(), bracket.Transport(), version, sizeof version - 1);
    const char* text = reinterpret_cast<const char*>(version);
    m_pMainDlg->Item(IDC_VERSION)
        .SetText(result == 0 ? Latin1ToUtf8(std::string(text, strnlen(text, sizeof version)))
                             : std::string());
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CIBtnDlg::OnSetInterface() {
    CommandBracket bracket(m_pMainDlg);
    const bool keyboard = Item(IDC_INTERFACE).GetCurSel() == kKeyboardInterfaceItem;
    const int result =
        CmdIBtnSetInterface(bracket.Device(), bracket.Transport(), InterfaceFormatByte());
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result == 0 && keyboard && bracket.Transport() == TransportHid)
        ShowKeyboardModeHint(*m_pMainDlg, *this);
}

void CIBtnDlg::OnSetEnable() {
    CommandBracket bracket(m_pMainDlg);
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnSetEnable(bracket.Device(), bracket.Transport(), EnableByte()));
}

void CIBtnDlg::OnSetEndChar() {
    CommandBracket bracket(m_pMainDlg);
    uint8_t endChar = 0;
    if (ReadEndChar(endChar) != Entry::Read)
        return;
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnSetEndChar(bracket.Device(), bracket.Transport(), endChar));
}

void CIBtnDlg::OnSetDataFilter() {
    CommandBracket bracket(m_pMainDlg);
    uint8_t start = 0;
    uint8_t end = 0;
    if (ReadDataFilter(start, end) != Entry::Read)
        return;
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnSetDataFilter(bracket.Device(), bracket.Transport(), start, end));
}

// A text longer than the reader's field is refused by the command and
// reported like any failure.
void CIBtnDlg::OnSetWithdraw() {
    CommandBracket bracket(m_pMainDlg);
    const std::optional<std::string> withdraw = ReadEditBytes(IDC_WITHDRAW);
    if (!withdraw)
        return;
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnSetWithdraw(bracket.Device(), bracket.Transport(),
                                           BytesOf(*withdraw), int(withdraw->size())));
}

void CIBtnDlg::OnSetPrefixSuffix() {
    CommandBracket bracket(m_pMainDlg);
    const std::optional<std::string> prefix = ReadEditBytes(IDC_PREFIX);
    if (!prefix)
        return;
    const std::optional<std::string> suffix = ReadEditBytes(IDC_SUFFIX);
    if (!suffix)
        return;
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnSetPrefixSuffix(bracket.Device(), bracket.Transport(),
                                               BytesOf(*prefix), int(prefix->size()),
                                               BytesOf(*suffix), int(suffix->size())));
}

void CIBtnDlg::OnApplyOption() {
    CommandBracket bracket(m_pMainDlg);
    const uint8_t interfaceFormat = InterfaceFormatByte();
    const uint8_t enable = EnableByte();
    uint8_t endChar = 0;
    if (ReadEndChar(endChar) != Entry::Read)
        return;
    uint8_t start = 0;
    uint8_t end = 0;
    if (ReadDataFilter(start, end) != Entry::Read)
        return;
    // The block holds fifteen bytes of each text; the rest is left out.
    const auto field = [this](int id) {
        std::optional<std::string> text = ReadEditBytes(id);
        if (text)
            text->resize(std::min<size_t>(text->size(), kIButtonTextLength));
        return text;
    };
    const std::optional<std::string> withdraw = field(IDC_WITHDRAW);
    if (!withdraw)
        return;
    const std::optional<std::string> suffix = field(IDC_SUFFIX);
    if (!suffix)
        return;
    const std::optional<std::string> prefix = field(IDC_PREFIX);
    if (!prefix)
        return;
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnApplyOption(bracket.Device(), bracket.Transport(), interfaceFormat,
                                           enable, endChar, start, end, uint8_t(withdraw->size()),
                                           BytesOf(*withdraw), uint8_t(prefix->size()),
                                           uint8_t(suffix->size()), BytesOf(*prefix),
                                           BytesOf(*suffix)));
}

// The controls keep their values; a read-back shows the defaults.
void CIBtnDlg::OnRestoreDefault() {
    CommandBracket bracket(m_pMainDlg);
    ReportCommandResult(*m_pMainDlg, *this,
                        CmdIBtnRestoreDefault(bracket.Device(), bracket.Transport()));
}

void CIBtnDlg::OnGetParameter() {
    CommandBracket bracket(m_pMainDlg);
    const int result = LoadParameterBlock(kGetParameterTimeoutMs);
    // The load has put the result text into the status line already.
    if (result != 0)
        ReportCommandResult(*m_pMainDlg, *this, result);
}

void CIBtnDlg::OnGetDeviceId() {
    CommandBracket bracket(m_pMainDlg);
    const int result = LoadDeviceId(kGetDeviceIdTimeoutMs);
    if (result != 0)
        ReportCommandResult(*m_pMainDlg, *this, result);
}

void CIBtnDlg::OnSelChangeEndChar() {
    const int item = Item(IDC_END_CHAR_LIST).GetCurSel();
    if (item < 0)
        return;
    const bool custom = item == kEndKeyCustomItem;
    Item(IDC_END_CHAR_LABEL).Show(custom);
    Item(IDC_END_CHAR).Show(custom);
}
