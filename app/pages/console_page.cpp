#include "app/pages/console_page.h"

#include "app/main_dialog.h"
#include "platform/ui/strings.h"

CDebugDlg::CDebugDlg() : Dialog(kConsolePageTemplateId) {}

bool CDebugDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());
    m_strSuccess = ui::LoadString(118);
    m_strFailure = ui::LoadString(119);
    return true;
}
