#pragma once
// Tab 2: raw bytes to the reader and its answers, with a record file.

#include "platform/ui/dialog.h"

#include <string>

class CDQ450DemoDlg;

inline constexpr int kConsolePageTemplateId = 131;

class CDebugDlg : public ui::Dialog {
public:
    CDebugDlg();

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    std::string m_strSuccess; // string 118
    std::string m_strFailure; // string 119

protected:
    bool OnInitDialog() override;
};
