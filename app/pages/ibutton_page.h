#pragma once
// Tab 1: how the reader handles iButton keys, and the last key it reported.

#include "app/controls/label.h"
#include "platform/ui/dialog.h"

class CDQ450DemoDlg;

inline constexpr int kIButtonPageTemplateId = 138;

class CIBtnDlg : public ui::Dialog {
public:
    CIBtnDlg();

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    CLabel m_lblCardNo; // hex view of the last key

protected:
    bool OnInitDialog() override;
};
