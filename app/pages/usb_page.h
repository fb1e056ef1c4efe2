#pragma once
// Tab 0: the settings of a reader that speaks the length-prefixed protocol,
// over USB HID or a serial port.

#include "platform/ui/dialog.h"

#include <cstdint>

class CDQ450DemoDlg;

inline constexpr int kUsbPageTemplateId = 130;

class CComDlg : public ui::Dialog {
public:
    CComDlg();

    // Enables the filter controls and sets the filter edits' limits for the
    // range modes 2 and 3; any other mode (-1 for none) disables them,
    // unchecks the six boxes and empties the six edits.
    void UpdateFilterControls(int mode);

    // Loads right after a connection, outside the command bracket. The
    // version (1000 ms) into the version label; true when the reader
    // answered.
    bool DetectVersion();
    // The parameter block (1000 ms) into the page; true when it was read.
    bool ReadParameters();
    // Reads the parameter block and fills the page from it; on failure shows
    // the box and puts the default sentinels on the card-swipe test page.
    // Returns the reader's result.
    int LoadParameterBlock(int timeoutMs, bool limitSentinelEdits);

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;

private:
    void ShowParameterBlock(const uint8_t* block, bool limitSentinelEdits);
    void ShowFilterBytes(int mode, const uint8_t* filterBytes);
};
