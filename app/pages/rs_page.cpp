#include "app/pages/rs_page.h"

#include "app/decode/card_swipe_stats.h"
#include "app/main_dialog.h"

using namespace rs_page;

CRsDlg::CRsDlg() : Dialog(kRsPageTemplateId) {
    OnCommand(IDC_PREFIX_ON, ui::Notify::Clicked, [this] { OnPrefix(); });
    OnCommand(IDC_SUFFIX_ON, ui::Notify::Clicked, [this] { OnSuffix(); });
    OnCommand(IDC_ENABLE_ALL, ui::Notify::Clicked, [this] { OnEnableAll(); });
    OnCommand(IDC_BUZZER_ENABLE, ui::Notify::Clicked, [this] { OnBuzzerEnable(); });
    OnCommand(IDC_GET_VERSION, ui::Notify::Clicked, [this] { OnGetVersion(); });
    OnCommand(IDC_GET_PARAMETER, ui::Notify::Clicked, [this] { OnGetParameter(); });
    OnCommand(IDC_APPLY_OPTION, ui::Notify::Clicked, [this] { OnApplyOption(); });
    OnCommand(IDC_RESTORE_DEFAULT, ui::Notify::Clicked, [this] { OnRestoreDefault(); });
    OnCommand(IDC_SET_BAUD_RATE, ui::Notify::Clicked, [this] { OnSetBaudrate(); });
}

bool CRsDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());

    Item(IDC_ENABLE_ALL).SetCheck(1);
    for (int id : IDC_SENTINEL_EDITS)
        Item(id).SetLimitText(1);
    Item(IDC_PREFIX).SetLimitText(kTextFieldSize);
    Item(IDC_SUFFIX).SetLimitText(kTextFieldSize);
    for (size_t i = 0; i < IDC_SENTINEL_EDITS.size(); ++i)
        Item(IDC_SENTINEL_EDITS[i]).SetText(std::string(1, char(kDefaultTrackSentinels[i])));

    for (int id : {1313, 1314, 1315, 1320, 1321, 1322, 1319, 1324, 1323})
        Item(id).SetCheck(1);
    // The port lines are shown as set; nothing reads them.
    Item(1324).Enable(false);
    Item(1323).Enable(false);

    if (Item(IDC_BAUD_RATE).GetCount() >= 2)
        Item(IDC_BAUD_RATE).SetCurSel(1);
    Item(IDC_POWER_NORMAL).SetCheck(1);
    return true;
}

void CRsDlg::OnPrefix() {
    Item(IDC_PREFIX).Enable(Item(IDC_PREFIX_ON).GetCheck() != 0);
}

void CRsDlg::OnSuffix() {
    Item(IDC_SUFFIX).Enable(Item(IDC_SUFFIX_ON).GetCheck() != 0);
}

// The texts stay, so switching the sentinels back on restores them.
void CRsDlg::OnEnableAll() {
    const bool enabled = Item(IDC_ENABLE_ALL).GetCheck() != 0;
    for (int id : IDC_SENTINEL_EDITS)
        Item(id).Enable(enabled);
}

void CRsDlg::OnBuzzerEnable() {
    const bool enabled = Item(IDC_BUZZER_ENABLE).GetCheck() != 0;
    for (int id : {IDC_READ_OK_BEEP, IDC_READ_FAIL_BEEP}) {
        Item(id).Enable(enabled);
        if (!enabled)
            Item(id).SetCheck(0);
    }
}
