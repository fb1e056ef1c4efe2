#include "app/main_dialog.h"

#include "app/language_file.h"
#include "app/pages/about_dialog.h"
#include "app/read_thread.h"
#include "app/version.h"
#include "platform/ui/strings.h"

CDQ450DemoDlg::CDQ450DemoDlg() : Dialog(kMainDialogTemplateId) {
    OnCommand(IDC_TAB_PAGES, ui::Notify::TabSelChange, [this] { OnSelChangeTab(); });
    OnCommand(IDC_LANGUAGE, ui::Notify::SelChange, [this] { OnSelChangeLanguage(); });
    OnCommand(IDC_RADIO_COM, ui::Notify::Clicked, [this] { OnRadioCom(); });
    OnCommand(IDC_RADIO_USB, ui::Notify::Clicked, [this] { OnRadioUsb(); });
    OnCommand(IDC_SEARCH_PORT, ui::Notify::Clicked, [this] { OnSearchPort(); });
    OnCommand(IDC_CONNECT, ui::Notify::Clicked, [this] { OnConnect(); });
    OnCommand(IDC_DISCONNECT, ui::Notify::Clicked, [this] { OnDisconnect(); });
    OnCommand(IDC_OPEN_PORT, ui::Notify::Clicked, [this] { OnOpenPort(); });
    BindHexEntryEdits();
}

// A reading thread still alive uses this dialog: it ends before the members go.
CDQ450DemoDlg::~CDQ450DemoDlg() {
    m_hReadThread.reset();
}

bool CDQ450DemoDlg::OnInitDialog() {
    m_tabPages = Item(IDC_TAB_PAGES);
    m_cbLanguage = Item(IDC_LANGUAGE);
    m_cbPort = Item(IDC_PORT);
    m_cbBaud = Item(IDC_BAUD);

    // Window managers own the system menu, so About sits in the context menu.
    if (std::string about = ui::LoadString(101); !about.empty())
        AddContextMenuItem(about, [this] { ShowAboutBox(); });

    m_cbLanguage.SetCurSel(ReadLanguageValue() == kLangChineseSimplified ? 0 : 1);

    // Arrivals and removals from now on; started before anything lists devices.
    StartDeviceMonitor();

    m_pageUsb.Create(*this, IDC_TAB_PAGES);
    m_pageDebug.Create(*this, IDC_TAB_PAGES);
    m_pageIBtn.Create(*this, IDC_TAB_PAGES);
    m_pageHidTest.Create(*this, IDC_TAB_PAGES);
    m_pageRs.Create(*this, IDC_TAB_PAGES);
    InitTabPages();

    m_lblStatus.SubclassDlgItem(IDC_STATUS, *this);
    m_lblStatus.Control().SetPaintHook([this] { OnCtlColorStatus(); });
    m_lblStatus.ApplyFontHeight(14);
    m_lblStatus.ApplyBold();

    m_lblHardwareId.SubclassDlgItem(IDC_HARDWARE_ID, *this);
    m_lblHardwareId.ApplyFontHeight(16);
    m_lblHardwareId.ApplyBold();
    m_lblHardwareId.ApplyTextColor(ui::Rgb(0, 0, 0));

    m_lblVersion.SubclassDlgItem(IDC_VERSION, *this);
    m_lblVersion.ApplyFontHeight(12);
    m_lblVersion.ApplyBold();
    m_lblVersion.ApplyTextColor(ui::Rgb(0, 0, 200));

    SetCaption(ui::LoadString(109) + g_strVersionText);
    InitDeviceTable();

    Item(IDC_RADIO_USB).SetCheck(1);
    OnRadioUsb();
    return true;
}

void CDQ450DemoDlg::InitDeviceTable() {
    AddDeviceTableEntry(m_deviceTable, "hid1", 0x2007, 0x5131);
    AddDeviceTableEntry(m_deviceTable, "hid2", 0x572B, 0x0483);
}

// The status line draws in a new colour at every paint, whatever colour a
// page gave it last.
void CDQ450DemoDlg::OnCtlColorStatus() {
    ui::Control status = m_lblStatus.Control();
    if (m_bStatusColorToggle) {
        m_bStatusColorToggle = 0;
        status.SetTextColor(ui::Rgb(200, 10, 0));
    } else {
        m_bStatusColorToggle = 1;
        status.SetTextColor(ui::Rgb(10, 10, 200));
    }
}

void CDQ450DemoDlg::ShowAboutBox() {
    CAboutDlg about;
    about.DoModal(this);
}

void CDQ450DemoDlg::OnClose() {
    EndDialog(ui::kIdCancel);
}

void CDQ450DemoDlg::OnDestroy() {
    m_deviceMonitor.reset();
    m_deviceStepTimer.Stop();
    m_deviceChanges.Clear();
    StopReadThread();
    if (!IsNoDevice(m_hDevice)) {
        platform::CloseDeviceHandle(m_hDevice);
        m_hDevice = platform::kInvalidHandle;
        m_nTransportMode = TransportClosed;
    }
}
