#include "app/pages/ibutton_page.h"

void CIBtnDlg::ShowCardView(const IButtonView& view) {
    m_lblCardNo.ApplyTextColor(view.colour);
    m_lblCardNo.Control().SetText(view.hexView);
    m_crCardText = view.colour;
    ui::Control cardText = Item(IDC_CARD_TEXT);
    cardText.SetText(view.charView);
    // The colour hook paints the new colour.
    cardText.Redraw();
}
