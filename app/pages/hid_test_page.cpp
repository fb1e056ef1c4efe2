#include "app/pages/hid_test_page.h"

#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"

namespace {

struct LabelStyle {
    int id;
    int height;
    ui::Color color;
};

constexpr ui::Color kRed = ui::Rgb(200, 0, 0);
constexpr ui::Color kBlue = ui::Rgb(0, 0, 200);

// Success counters and decode marks in blue, every other value in red; only
// the swipe count is larger.
constexpr LabelStyle kLabelStyles[kHidTestLabelCount] = {
    // blank counts and success rates
    {1218, 12, kRed},
    {1219, 12, kRed},
    {1223, 12, kRed},
    {1224, 12, kRed},
    {1228, 12, kRed},
    {1229, 12, kRed},
    // sentinels
    {1235, 12, kRed},
    {1236, 12, kRed},
    {1239, 12, kRed},
    {1240, 12, kRed},
    {1243, 12, kRed},
    {1244, 12, kRed},
    // character counts and the swipe count
    {1231, 12, kRed},
    {1249, 12, kRed},
    {1251, 12, kRed},
    {1253, 16, kRed},
    // decode marks
    {1154, 12, kBlue},
    {1156, 12, kBlue},
    {1158, 12, kBlue},
    {1160, 12, kBlue},
    {1162, 12, kBlue},
    // track 1, 2 and 3 counters: success, then B, S, P, E, L, len=0
    {1304, 12, kBlue},
    {1098, 12, kRed},
    {1099, 12, kRed},
    {1100, 12, kRed},
    {1101, 12, kRed},
    {1102, 12, kRed},
    {1103, 12, kRed},
    {1305, 12, kBlue},
    {1104, 12, kRed},
    {1105, 12, kRed},
    {1106, 12, kRed},
    {1107, 12, kRed},
    {1108, 12, kRed},
    {1109, 12, kRed},
    {1306, 12, kBlue},
    {1110, 12, kRed},
    {1111, 12, kRed},
    {1112, 12, kRed},
    {1113, 12, kRed},
    {1115, 12, kRed},
    {1116, 12, kRed},
};

constexpr const char* kOpenTrackClipboardFailed = "Open clipboard failed!";
constexpr const char* kOpenRawClipboardFailed = "Open clipboard Failed";

} // namespace

CHidTestDlg::CHidTestDlg() : Dialog(kHidTestPageTemplateId) {
    for (int id : IDC_TRACK_TEXT)
        OnCommand(id, ui::Notify::SetFocus, [this] { OnSetFocusTrackData(); });
    OnCommand(IDC_RAW_DATA, ui::Notify::EditChange, [this] { OnChangeRawData(); });
    for (int id : IDC_COPY_TRACK) {
        const int copied = IDC_TRACK_TEXT[id - IDC_COPY_TRACK[0]];
        OnCommand(id, ui::Notify::Clicked,
                  [this, copied] { OnCopyControlText(copied, kOpenTrackClipboardFailed); });
    }
    OnCommand(IDC_COPY_RAW_DATA, ui::Notify::Clicked,
              [this] { OnCopyControlText(IDC_RAW_DATA, kOpenRawClipboardFailed); });
    OnCommand(IDC_CLEAR_COUNT, ui::Notify::Clicked, [this] { OnClearCount(); });
    OnCommand(IDC_MANUAL_READ, ui::Notify::Clicked, [this] { OnManualRead(); });
    OnCommand(IDC_CANCEL_MANUAL_READ, ui::Notify::Clicked, [this] { OnCancelManualRead(); });
}

bool CHidTestDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const LabelStyle& style = kLabelStyles[i];
        CLabel& label = m_labels[i];
        label.SubclassDlgItem(style.id, *this);
        label.ApplyFontHeight(style.height);
        label.ApplyBold();
        label.ApplyTextColor(style.color);
    }
    Item(IDC_RAW_DATA).SetPaintHook([this] { OnCtlColorEdit(IDC_RAW_DATA); });
    for (int id : IDC_TRACK_TEXT)
        Item(id).SetPaintHook([this, id] { OnCtlColorEdit(id); });
    return true;
}

// Consecutive swipes draw in different colours.
void CHidTestDlg::OnCtlColorEdit(int id) {
    const int index = ((m_stats.m_nSwipeCount % 3) + 3) % 3;
    Item(id).SetTextColor(m_textColours[size_t(index)]);
}

void CHidTestDlg::OnShowWindow(bool show) {
    if (show)
        FocusRawData();
}

// The focus never rests on a track edit, so the reader's keystrokes always
// reach the raw-data edit.
void CHidTestDlg::OnSetFocusTrackData() {
    FocusRawData();
}

void CHidTestDlg::SelectRawData() {
    ui::Control raw = Item(IDC_RAW_DATA);
    raw.SetSel(0, -1);
    raw.ScrollCaret();
}

// With the whole text selected, the first keystroke of the next swipe
// replaces the old text.
void CHidTestDlg::FocusRawData() {
    SelectRawData();
    Item(IDC_RAW_DATA).SetFocus();
}

void CHidTestDlg::ShowSentinels() {
    for (size_t i = 0; i < m_sentinels.chars.size(); ++i) {
        const uint8_t c = m_sentinels.chars[i];
        const char bytes[1] = {static_cast<char>(c)};
        Item(IDC_SENTINELS[i]).SetText(c == 0 ? std::string() : Latin1ToUtf8({bytes, 1}));
    }
}
