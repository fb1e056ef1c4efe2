#pragma once
// Tab 4: the settings of the RS232 reader model (STX protocol).

#include "platform/ui/dialog.h"

class CDQ450DemoDlg;

inline constexpr int kRsPageTemplateId = 165;

class CRsDlg : public ui::Dialog {
public:
    CRsDlg();

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;
};
