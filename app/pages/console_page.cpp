#include "app/pages/console_page.h"

#include "app/main_dialog.h"
#include "platform/ui/strings.h"

CDebugDlg::CDebugDlg() : Dialog(kConsolePageTemplateId) {
    // The hex rule of 1069 is bound by the main dialog with the other hex edits.
    OnCommand(IDC_CONSOLE_SEND, ui::Notify::Clicked, [this] { OnSendData(); });
    OnCommand(IDC_CONSOLE_SAVE, ui::Notify::Clicked, [this] { OnSaveData(); });
    OnCommand(IDC_CONSOLE_CLEAR, ui::Notify::Clicked, [this] { OnClearData(); });
}

bool CDebugDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());
    m_strSuccess = ui::LoadString(118);
    m_strFailure = ui::LoadString(119);
    return true;
}

void CDebugDlg::OnClearData() {
    Item(IDC_CONSOLE_RECEIVE_BOX).SetText("");
}
