#pragma once
// Tab 0: the settings of a reader that speaks the length-prefixed protocol,
// over USB HID or a serial port.

#include "platform/ui/dialog.h"

class CDQ450DemoDlg;

inline constexpr int kUsbPageTemplateId = 130;

class CComDlg : public ui::Dialog {
public:
    CComDlg();

    // Enables the filter controls and sets the filter edits' limits for the
    // range modes 2 and 3; any other mode (-1 for none) disables them,
    // unchecks the six boxes and empties the six edits.
    void UpdateFilterControls(int mode);

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;
};
