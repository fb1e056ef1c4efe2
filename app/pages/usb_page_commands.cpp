// The USB page's one-setting commands: detect device, interface and format,
// buzzer, speed, decode mode, device id, keyboard layout, clear cache and
// restore default.

#include "app/command_bracket.h"
#include "app/decode/card_swipe_stats.h"
#include "app/decode/hex_text.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "app/pages/edit_bytes.h"
#include "app/pages/end_key_list.h"
#include "app/pages/keyboard_mode_hint.h"
#include "app/pages/usb_page.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <iterator>
#include <string>

using namespace usb_page;

namespace {

constexpr int IDC_DETECT_DEVICE = 1004;
constexpr int IDC_SET_INTERFACE = 1005;
constexpr int IDC_INTERFACE = 1006;
constexpr int IDC_DATA_FORMAT = 1007;
constexpr int IDC_READER_MODE = 1014;
constexpr int IDC_BUZZER_CONTROL = 1021;
constexpr int IDC_BEEP_READ_OK = 1051;
constexpr int IDC_BEEP_READ_FAILED = 1052;
constexpr int IDC_BUZZER_FREQUENCY = 1144;
constexpr int IDC_SET_SPEED = 1023;
constexpr int IDC_SPEED = 1024;
constexpr int IDC_CLEAR_CACHE = 1045;
constexpr int IDC_RESTORE_DEFAULT = 1046;
constexpr int IDC_SET_DECODING = 1147;
constexpr int IDC_DEVICE_ID = 1148;
constexpr int IDC_SET_DEVICE_ID = 1149;
constexpr int IDC_KEYBOARD_LAYOUT = 1246;
constexpr int IDC_SET_KEYBOARD_TYPE = 1247;
constexpr int IDC_CUSTOM_KEYBOARD = 1335;
constexpr int IDC_KEYBOARD_CODE = 1336;

constexpr int kDetectDeviceTimeoutMs = 5000;
constexpr size_t kVersionBufferSize = 200;

constexpr int kInterfaceHidKeyboard = 0;

constexpr int kStringDeviceIdFormat = 123;

// The keyboard-type byte by the layout list's index.
constexpr KeyboardLayoutCode kKeyboardLayouts[] = {
    KeyboardEnglishUs, KeyboardFrenchFrance,         KeyboardFrenchCanada,
    KeyboardCzech,     KeyboardSpanishInternational, KeyboardSpanishArgentina,
    KeyboardHebrew,
};

uint8_t KeyboardLayoutByte(int item) {
    if (item < 0 || item >= int(std::size(kKeyboardLayouts)))
        return KeyboardEnglishUs;
    return kKeyboardLayouts[item];
}

} // namespace

void CComDlg::BindCommandHandlers() {
    OnCommand(IDC_DETECT_DEVICE, ui::Notify::Clicked, [this] { OnDetectDevice(); });
    OnCommand(IDC_END_FLAG, ui::Notify::SelChange, [this] { OnSelChangeEndFlag(); });
    OnCommand(IDC_SET_INTERFACE, ui::Notify::Clicked, [this] { OnSetInterface(); });
    OnCommand(IDC_BUZZER_CONTROL, ui::Notify::Clicked, [this] { OnBuzzerControl(); });
    OnCommand(IDC_SET_SPEED, ui::Notify::Clicked, [this] { OnSetSpeed(); });
    OnCommand(IDC_CLEAR_CACHE, ui::Notify::Clicked, [this] { OnClearCache(); });
    OnCommand(IDC_RESTORE_DEFAULT, ui::Notify::Clicked, [this] { OnRestoreDefault(); });
    OnCommand(IDC_SET_DECODING, ui::Notify::Clicked, [this] { OnSetDecoding(); });
    OnCommand(IDC_SET_DEVICE_ID, ui::Notify::Clicked, [this] { OnSetDeviceId(); });
    OnCommand(IDC_SET_KEYBOARD_TYPE, ui::Notify::Clicked, [this] { OnSetKeyboardType(); });
    OnCommand(IDC_CUSTOM_KEYBOARD, ui::Notify::Clicked, [this] { OnCustomKeyboard(); });
}

void CComDlg::OnDetectDevice() {
    CommandBracket bracket(m_pMainDlg);
    uint8_t version[kVersionBufferSize] = {};
    // One byte stays zero, so the text always ends inside the buffer.
    const int result = CmdDetectDevice(bracket.Device(), bracket.Transport(), version,
                                       int(sizeof version - 1), kDetectDeviceTimeoutMs);
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result == 0)
        m_pMainDlg->Item(IDC_VERSION).SetText(Latin1ToUtf8(reinterpret_cast<const char*>(version)));
}

void CComDlg::OnSetInterface() {
    CommandBracket bracket(m_pMainDlg);
    const int interface = Item(IDC_INTERFACE).GetCurSel();
    if (interface < 0)
        return;
    const int format = Item(IDC_DATA_FORMAT).GetCurSel();
    if (format < 0)
        return;
    const int readerMode = Item(IDC_READER_MODE).GetCurSel();
    if (readerMode < 0)
        return;
    const int interfaceCode = interface <= 2 ? interface : 3;
    const int result = CmdSetInterface(bracket.Device(), bracket.Transport(), interfaceCode,
                                       format != 0, unsigned(readerMode));
    ReportCommandResult(*m_pMainDlg, *this, result, "error");
    if (result != 0 || bracket.Transport() != TransportHid ||
        interfaceCode != kInterfaceHidKeyboard)
        return;
    ShowKeyboardModeHint(*m_pMainDlg, *this);
}

void CComDlg::OnBuzzerControl() {
    CommandBracket bracket(m_pMainDlg);
    const int frequencyItem = Item(IDC_BUZZER_FREQUENCY).GetCurSel();
    if (frequencyItem < 0)
        return;
    // The list shows 100 to 255, so the value always fits a byte.
    const int result = CmdSetBuzzer(
        bracket.Device(), bracket.Transport(), Item(IDC_BEEP_READ_OK).GetCheck(),
        Item(IDC_BEEP_READ_FAILED).GetCheck(), uint8_t(frequencyItem + kFrequencyOfFirstItem));
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CComDlg::OnSetSpeed() {
    CommandBracket bracket(m_pMainDlg);
    const int speed = Item(IDC_SPEED).GetCurSel();
    if (speed < 0)
        return;
    const int result = CmdSetSpeed(bracket.Device(), bracket.Transport(), uint8_t(speed));
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CComDlg::OnClearCache() {
    CommandBracket bracket(m_pMainDlg);
    const int result = CmdClearCache(bracket.Device(), bracket.Transport());
    ReportCommandOutcome(*m_pMainDlg, *this, MakeResultMessage(*this, result == 0), result != 0,
                         "ERROR", FailureBox::BeforeStatus);
}

void CComDlg::OnRestoreDefault() {
    CommandBracket bracket(m_pMainDlg);
    const int result = CmdRestoreDefault(bracket.Device(), bracket.Transport());
    ReportCommandResult(*m_pMainDlg, *this, result);
    // The page keeps its controls; only the swipe test follows the reader.
    if (result == 0)
        m_pMainDlg->SetTrackSentinels(kDefaultTrackSentinels);
}

void CComDlg::OnSetDecoding() {
    CommandBracket bracket(m_pMainDlg);
    int flags[std::size(kDecodingChecks)] = {};
    bool any = false;
    for (size_t i = 0; i < std::size(kDecodingChecks); ++i) {
        flags[i] = Item(kDecodingChecks[i]).GetCheck();
        any = any || flags[i] != 0;
    }
    if (!any) {
        ui::MessageBox(ui::LoadString(kStringNoDecodeMode), "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
        return;
    }
    const int result = CmdSetDecoding(bracket.Device(), bracket.Transport(), flags[0], flags[1],
                                      flags[2], flags[3], flags[4]);
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CComDlg::OnSetDeviceId() {
    CommandBracket bracket(m_pMainDlg);
    // One byte per character, so the length counts characters.
    const std::optional<std::string> bytes = ReadEditBytes(*this, IDC_DEVICE_ID);
    if (!bytes)
        return;
    const std::optional<int> deviceId = HexDeviceId(*bytes);
    if (!deviceId) {
        ui::MessageBox(ui::LoadString(kStringDeviceIdFormat), "Eorror",
                       ui::MessageIcon::Information, ui::MessageButtons::Ok, this);
        return;
    }
    const int result = CmdSetDeviceId(bracket.Device(), bracket.Transport(), *deviceId);
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CComDlg::OnSetKeyboardType() {
    CommandBracket bracket(m_pMainDlg);
    const int layout = Item(IDC_KEYBOARD_LAYOUT).GetCurSel();
    if (layout < 0)
        return;
    uint8_t code = KeyboardLayoutByte(layout);
    if (Item(IDC_CUSTOM_KEYBOARD).GetCheck()) {
        const std::optional<std::string> text = ReadEditBytes(*this, IDC_KEYBOARD_CODE);
        if (!text)
            return;
        code = HexStrToByte(*text);
    }
    const int result = CmdSetKeyboardType(bracket.Device(), bracket.Transport(), code);
    ReportCommandResult(*m_pMainDlg, *this, result);
}

void CComDlg::OnCustomKeyboard() {
    Item(IDC_KEYBOARD_CODE).Enable(Item(IDC_CUSTOM_KEYBOARD).GetCheck() != 0);
}

void CComDlg::OnSelChangeEndFlag() {
    const int item = Item(IDC_END_FLAG).GetCurSel();
    if (item < 0)
        return;
    // A custom flag is a keyboard usage, which only a reader on USB HID types.
    const bool custom = item == kEndKeyCustomItem && m_pMainDlg->m_nTransportMode == TransportHid;
    Item(IDC_CUSTOM_END_FLAG_LABEL).Show(custom);
    Item(IDC_CUSTOM_END_FLAG).Show(custom);
}
