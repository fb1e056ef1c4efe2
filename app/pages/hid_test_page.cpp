#include "app/pages/hid_test_page.h"

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

} // namespace

CHidTestDlg::CHidTestDlg() : Dialog(kHidTestPageTemplateId) {}

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
    return true;
}
