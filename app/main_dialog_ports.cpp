// The COM side of the connection: searching the ports, and the button that
// opens a port, finds out which reader answers on it, and closes it again.

#include "app/main_dialog.h"
#include "platform/clock.h"
#include "platform/serial.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace {

constexpr int kPortsProbed = 30;
constexpr uint32_t kProbePauseMs = 5;
constexpr int kRsTab = 4;

constexpr int kStringConnectFailed = 111;
constexpr int kStringOpenPort = 133;
constexpr int kStringClosePort = 134;
constexpr int kStringPortFailed = 135;

// The port box's text, and for a port refused for lack of permission the
// node and the remedy; standard error is out of sight for a program started
// from the desktop.
std::string PortFailedText(const std::string& deniedNode) {
    std::string text = ui::LoadString(kStringPortFailed);
    if (deniedNode.empty())
        return text;
    return text + "\r\n\r\n" + ui::LoadNotice(res::Notice::SerialPermission, deniedNode);
}

} // namespace

void CDQ450DemoDlg::OnSearchPort() {
    m_cbPort.ResetContent();
    std::string deniedNode;
    for (int i = 1; i <= kPortsProbed; ++i) {
        const std::string name = "com" + std::to_string(i);
        DeviceHandle h = OpenComPort(name.c_str());
        if (!IsNoDevice(h)) {
            platform::CloseDeviceHandle(h);
            m_cbPort.AddString(name);
        } else if (deniedNode.empty()) {
            deniedNode = platform::SerialOpenDeniedNode(name);
        }
        platform::SleepMs(kProbePauseMs);
    }
    if (m_cbPort.GetCount() > 0)
        m_cbPort.SetCurSel(0);
    else
        ui::MessageBox(PortFailedText(deniedNode), "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
}

void CDQ450DemoDlg::OnOpenPort() {
    ConnectionBusy busy(*this);
    if (!IsNoDevice(m_hDevice)) {
        StopReadThread();
        if (!platform::CloseDeviceHandle(m_hDevice))
            return;
        m_hDevice = platform::kInvalidHandle;
        ShowPortOpen(false);
        ShowDisconnected();
        return;
    }

    const int port = m_cbPort.GetCurSel();
    const std::string name = port >= 0 ? m_cbPort.GetItemText(port) : m_cbPort.Text();
    const int rate = m_cbBaud.GetCurSel();
    if (rate < 0)
        return;
    // The rate is the number the item begins with.
    const long baud = std::strtol(m_cbBaud.GetItemText(rate).c_str(), nullptr, 10);
    m_hDevice = OpenComPortBaud(name.c_str(), baud > 0 && baud <= INT_MAX ? int(baud) : 0);
    if (IsNoDevice(m_hDevice)) {
        ui::MessageBox(PortFailedText(platform::SerialOpenDeniedNode(name)), "Error",
                       ui::MessageIcon::Error, ui::MessageButtons::Ok, this);
        return;
    }
    ShowPortOpen(true);
    m_nTransportMode = TransportCom;

    if (m_pageUsb.DetectVersion()) {
        LoadReaderPages();
        m_pageIBtn.ReadDeviceId();
    } else if (m_pageRs.DetectVersion()) {
        m_pageRs.ReadParameters();
        SelectTab(kRsTab);
    } else {
        ui::MessageBox(ui::LoadString(kStringConnectFailed), "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
        if (platform::CloseDeviceHandle(m_hDevice)) {
            m_hDevice = platform::kInvalidHandle;
            ShowPortOpen(false);
            m_nTransportMode = TransportClosed;
        }
        return;
    }
    ShowConnected();
    StartReadThread();
}

void CDQ450DemoDlg::ShowPortOpen(bool open) {
    Item(IDC_OPEN_PORT).SetText(ui::LoadString(open ? kStringClosePort : kStringOpenPort));
    for (int id : {IDC_SEARCH_PORT, IDC_RADIO_COM, IDC_RADIO_USB})
        Item(id).Enable(!open);
}
