#pragma once
// Tab 3: card-swipe test. Track texts, per-track counters and success rates,
// decode-mode marks and the sentinels in use.

#include "app/controls/label.h"
#include "platform/ui/dialog.h"

#include <array>

class CDQ450DemoDlg;

inline constexpr int kHidTestPageTemplateId = 146;
inline constexpr int kHidTestLabelCount = 42;

class CHidTestDlg : public ui::Dialog {
public:
    CHidTestDlg();

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    std::array<CLabel, kHidTestLabelCount> m_labels;

protected:
    bool OnInitDialog() override;
};
