#include "app/pages/rs_page.h"

#include "app/main_dialog.h"

namespace {

constexpr int kSentinelEdits[] = {1307, 1308, 1309, 1310, 1311, 1312};
constexpr const char* kDefaultSentinels[] = {"%", "?", ";", "?", "+", "?"};

} // namespace

CRsDlg::CRsDlg() : Dialog(kRsPageTemplateId) {}

bool CRsDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());

    Item(1306).SetCheck(1);
    for (int id : kSentinelEdits)
        Item(id).SetLimitText(1);
    Item(1330).SetLimitText(30);
    Item(1331).SetLimitText(30);
    for (int i = 0; i < 6; ++i)
        Item(kSentinelEdits[i]).SetText(kDefaultSentinels[i]);

    for (int id : {1313, 1314, 1315, 1320, 1321, 1322, 1319, 1324, 1323})
        Item(id).SetCheck(1);
    // The port lines are shown as set; nothing reads them.
    Item(1324).Enable(false);
    Item(1323).Enable(false);

    if (Item(1326).GetCount() >= 2)
        Item(1326).SetCurSel(1);
    Item(1332).SetCheck(1);
    return true;
}
