#pragma once
// The program's only window: the connection state, the device table, the
// five tab pages and the three labels that every part writes (status line,
// version, device id).

#include "app/controls/label.h"
#include "app/device_table.h"
#include "app/pages/console_page.h"
#include "app/pages/hid_test_page.h"
#include "app/pages/ibutton_page.h"
#include "app/pages/rs_page.h"
#include "app/pages/usb_page.h"
#include "platform/ui/dialog.h"
#include "reader/types.h"

#include <memory>
#include <vector>

inline constexpr int kMainDialogTemplateId = 102;

// Controls of the main dialog that other parts reach by id.
inline constexpr int IDC_STATUS = 1050;
inline constexpr int IDC_VERSION = 1052;
inline constexpr int IDC_HARDWARE_ID = 1204;
inline constexpr int IDC_TAB_PAGES = 1053;
inline constexpr int IDC_LANGUAGE = 1248;
inline constexpr int IDC_PORT = 1293;
inline constexpr int IDC_BAUD = 1294;
inline constexpr int IDC_RADIO_COM = 1291;
inline constexpr int IDC_RADIO_USB = 1292;
inline constexpr int IDC_SEARCH_PORT = 1295;

inline constexpr int kTabCount = 5;

class CDQ450DemoDlg : public ui::Dialog {
public:
    CDQ450DemoDlg();
    ~CDQ450DemoDlg() override;

    // Shows the page of tab index and selects the tab; nothing for an index
    // out of range or the current tab.
    void SelectTab(int index);
    // Enables the USB page and its command controls and disables the RS232
    // page and its controls, or the reverse.
    void EnableModeControls(bool usb);
    // The page shown under tab index; null out of range.
    ui::Dialog* PageOfTab(int index);

    void InitTabPages();
    void InitDeviceTable();
    void OnSelChangeTab();
    void OnRadioCom();
    void OnRadioUsb();
    void OnSearchPort();
    void OnSelChangeLanguage();

    CLabel m_lblStatus;
    CLabel m_lblHardwareId;
    CLabel m_lblVersion;
    DeviceHandle m_hDevice = platform::kInvalidHandle;
    int m_nTransportMode = TransportClosed;
    ui::Control m_cbLanguage;
    ui::Control m_cbPort;
    ui::Control m_cbBaud;
    // Which of the two status-line colours the next paint uses.
    int m_bStatusColorToggle = 1;
    std::vector<DeviceTableEntry> m_deviceTable;
    ui::Control m_tabPages;
    CComDlg m_pageUsb;
    CDebugDlg m_pageDebug;
    CIBtnDlg m_pageIBtn;
    CHidTestDlg m_pageHidTest;
    CRsDlg m_pageRs;

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;

private:
    void OnCtlColorStatus();
    void ShowAboutBox();
    void HideAllPages();

    // Lets a posted close tell that the dialog is gone.
    std::shared_ptr<int> m_lifeToken = std::make_shared<int>(0);
};
