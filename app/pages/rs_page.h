#pragma once
// Tab 4: the settings of the RS232 reader model (STX protocol).

#include "platform/ui/dialog.h"

#include <cstdint>

class CDQ450DemoDlg;

inline constexpr int kRsPageTemplateId = 165;

class CRsDlg : public ui::Dialog {
public:
    CRsDlg();

    // Loads when a port is opened, outside the command bracket. True when an
    // RS232 reader answered the version request (1000 ms).
    bool DetectVersion();
    // The parameter block into the page; true when it was read.
    bool ReadParameters();
    // Reads the parameter block and fills the page from it, or puts the
    // default sentinels on the card-swipe test page. The beep boxes' enabled
    // state follows the buzzer bit when asked. Returns the reader's result.
    int LoadParameterBlock(bool beepBoxesFollowBuzzer);

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;

private:
    void ShowParameterBlock(const uint8_t* block, bool beepBoxesFollowBuzzer);
};
