#include "app/pages/about_dialog.h"

CAboutDlg::CAboutDlg() : Dialog(kAboutTemplateId) {}

bool CAboutDlg::OnInitDialog() {
    m_link.m_strTarget = kAboutLinkTarget;
    m_link.m_crLinkText = ui::Rgb(0, 0, 255);
    m_link.m_crVisitedText = ui::Rgb(255, 0, 0);
    m_link.m_crHoverText = ui::Rgb(125, 125, 0);
    m_link.m_bUnderlined = true;
    m_link.SubclassDlgItem(kAboutLinkId, *this);
    return true;
}
