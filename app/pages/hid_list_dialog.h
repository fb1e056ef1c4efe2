#pragma once
// The list of HID interfaces that match a product and a vendor id, from
// which the operator opens one when several readers are present.

#include "platform/ui/dialog.h"
#include "reader/types.h"

class CDQ450DemoDlg;

inline constexpr int kHidListTemplateId = 143;

class CHidListDlg : public ui::Dialog {
public:
    CHidListDlg();

    // Lists the interfaces that match the two id edits.
    void OnDetectDevice();
    // Opens the chosen interface for the main dialog, asks the reader for its
    // information text and device id and starts the reading thread.
    void OnOpenSelectedDevice();
    void OnAllowModification();

    ui::Control m_edProductId;
    ui::Control m_edVendorId;
    ui::Control m_lbDevices;
    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;

private:
    // An interface this list opened whose reader did not answer; closed
    // before another one is opened.
    DeviceHandle m_hOpened = platform::kInvalidHandle;
};
