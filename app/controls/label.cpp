#include "app/controls/label.h"

bool CLabel::SubclassDlgItem(int id, const ui::Dialog& parent) {
    m_control = parent.Item(id);
    if (!m_control.IsValid())
        return false;
    // Until a colour is applied the label keeps the system's text colour.
    m_crLabelText = m_control.TextColor();
    m_control.SetTransparentBackground(true);
    // Run-time texts (the status line's outcomes) may be wider than the box
    // the template gave them.
    m_control.SetShrinkToFit(true);
    return true;
}

void CLabel::ApplyTextColor(ui::Color color) {
    m_crLabelText = color;
    m_control.SetTextColor(color);
}

void CLabel::ApplyFontHeight(int height) {
    m_control.SetFontHeight(-height);
}

void CLabel::ApplyBold() {
    m_control.SetFontWeight(700);
}
