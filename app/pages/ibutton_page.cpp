#include "app/pages/ibutton_page.h"

#include "app/main_dialog.h"

CIBtnDlg::CIBtnDlg() : Dialog(kIButtonPageTemplateId) {
    BindCommandHandlers();
}

bool CIBtnDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());

    // Buzzer, iButton code and CRC enabled; keyboard interface, hex format.
    for (int id : {1179, 1177, 1178})
        Item(id).SetCurSel(1);
    for (int id : {1175, 1176})
        Item(id).SetCurSel(0);

    for (int id : {1163, 1168, 1169})
        Item(id).SetLimitText(2);
    for (int id : {1160, 1161})
        Item(id).SetLimitText(15);

    // "Enter"; the custom end character shows only for "Sel-define".
    Item(1180).SetCurSel(0);
    Item(1181).Show(false);
    Item(1163).Show(false);

    Item(1164).SetLimitText(15);
    Item(1168).SetText("00");
    Item(1169).SetText("FF");

    m_lblCardNo.SubclassDlgItem(1196, *this);
    m_lblCardNo.ApplyFontHeight(18);
    m_lblCardNo.ApplyBold();
    m_lblCardNo.ApplyTextColor(ui::Rgb(200, 0, 0));
    Item(IDC_CARD_TEXT).SetPaintHook([this] { Item(IDC_CARD_TEXT).SetTextColor(m_crCardText); });
    return true;
}
