#pragma once
// Tab 1: how the reader handles iButton keys, and the last key it reported.

#include "app/controls/label.h"
#include "app/decode/ibutton_frame.h"
#include "platform/ui/dialog.h"

class CDQ450DemoDlg;

inline constexpr int kIButtonPageTemplateId = 138;
inline constexpr int IDC_CARD_NO = 1196;
inline constexpr int IDC_CARD_TEXT = 1205;

class CIBtnDlg : public ui::Dialog {
public:
    CIBtnDlg();

    // Loads right after a connection, outside the command bracket, each
    // with 1000 ms; true when the reader answered.
    bool ReadParameters();
    bool ReadDeviceId();
    // The iButton parameter block into the page; returns the reader's result.
    int LoadParameterBlock(int timeoutMs);
    // The device id into the status line (blue) and the device-id label;
    // returns the reader's result.
    int LoadDeviceId(int timeoutMs);

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    CLabel m_lblCardNo; // hex view of the last key
    // The last key in hex on the card-number label and as characters in
    // edit 1205, both in the frame's colour.
    void ShowCardView(const IButtonView& view);
    ui::Color m_crCardText = ui::Rgb(200, 0, 0); // text colour of edit 1205

protected:
    bool OnInitDialog() override;
};
