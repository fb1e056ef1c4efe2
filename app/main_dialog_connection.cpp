// Opening and closing the one reader connection: USB connect and
// disconnect.

#include "app/command_bracket.h"
#include "app/main_dialog.h"
#include "app/pages/hid_list_dialog.h"
#include "platform/hid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <cstdio>
#include <string>

namespace {

// A path longer than this does not fit the open's buffer.
constexpr size_t kMaxOpenPathLength = 254;

constexpr int kStringDeviceName = 110;
constexpr int kStringConnectFailed = 111;
constexpr int kStringConnected = 112;
constexpr int kStringNoDevice = 115;
constexpr int kStringAlreadyOpen = 116;
constexpr int kStringDisconnected = 117;

// One line of the not-found message, an empty line after it.
std::string NotFoundLine(const DeviceTableEntry& row) {
    const std::string label = ui::LoadString(kStringDeviceName);
    const std::string failed = ui::LoadString(kStringConnectFailed);
    const char* format = "%s %s, productId=0x%04x venderId=0x%04x %s\r\n\r\n";
    const int length = std::snprintf(nullptr, 0, format, label.c_str(), row.name, row.productId,
                                     row.vendorId, failed.c_str());
    if (length <= 0)
        return {};
    std::string line(size_t(length) + 1, '\0');
    std::snprintf(line.data(), line.size(), format, label.c_str(), row.name, row.productId,
                  row.vendorId, failed.c_str());
    line.pop_back();
    return line;
}

// The line that tells the operator why a reader that is there did not open;
// standard error is out of sight for a program started from the desktop.
std::string PermissionLines(const DeviceTableEntry& row) {
    std::string lines;
    for (const std::string& node :
         platform::ListDeniedHidPaths(uint16_t(row.vendorId), uint16_t(row.productId)))
        lines += "\r\n\r\n" + ui::LoadNotice(res::Notice::HidPermission, node);
    return lines;
}

} // namespace

void CDQ450DemoDlg::OnConnect() {
    ConnectionBusy busy(*this);
    if (!IsNoDevice(m_hDevice)) {
        ui::MessageBox(ui::LoadString(kStringAlreadyOpen), "info", ui::MessageIcon::Information,
                       ui::MessageButtons::Ok, this);
        return;
    }
    std::string message;
    size_t notFound = 0;
    for (const DeviceTableEntry& row : m_deviceTable) {
        const HidPathList paths = FindHidDevices(row.productId, row.vendorId);
        if (paths.empty()) {
            ++notFound;
            message += NotFoundLine(row);
            continue;
        }
        if (paths.size() > 1) {
            CHidListDlg list;
            list.DoModal(this);
            break;
        }
        if (ConnectSingleInterface(paths.front()) == WalkStep::EndWalk)
            break;
    }
    if (notFound == m_deviceTable.size()) {
        message += ui::LoadString(kStringNoDevice);
        // Asked only when the box shows: it reads sysfs and tries each node.
        for (const DeviceTableEntry& row : m_deviceTable)
            message += PermissionLines(row);
        ui::MessageBox(message, "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok, this);
    }
}

CDQ450DemoDlg::WalkStep CDQ450DemoDlg::ConnectSingleInterface(const std::string& path) {
    m_hDevice =
        path.size() > kMaxOpenPathLength ? platform::kInvalidHandle : platform::OpenHidPath(path);
    if (m_hDevice == platform::kInvalidHandle) {
        SetStatusText(*this, ui::LoadString(kStringConnectFailed));
        SetCaption(ui::LoadString(kStringConnectFailed));
        return WalkStep::EndWalk;
    }
    m_nTransportMode = TransportHid;
    if (!m_pageUsb.DetectVersion()) {
        // A reader that does not answer is let go, so no handle stays open
        // behind the next row.
        platform::CloseDeviceHandle(m_hDevice);
        m_hDevice = platform::kInvalidHandle;
        m_nTransportMode = TransportClosed;
        return WalkStep::NextRow;
    }
    LoadReaderPages();
    m_pageIBtn.ReadDeviceId();
    Item(IDC_RADIO_COM).Enable(false);
    Item(IDC_RADIO_USB).Enable(false);
    ShowConnected();
    StartReadThread();
    return WalkStep::EndWalk;
}

void CDQ450DemoDlg::LoadReaderPages() {
    m_pageUsb.ReadParameters();
    m_pageIBtn.ReadParameters();
}

void CDQ450DemoDlg::LoadReaderOpenedByList() {
    // Otherwise the pages would go on showing another reader, and the next
    // apply would write its settings into this one.
    const std::string status = Item(IDC_STATUS).Text();
    m_pageUsb.DetectVersion();
    LoadReaderPages();
    SetStatusText(*this, status);
}

void CDQ450DemoDlg::ShowConnected() {
    SetCaption(ui::LoadString(kStringConnected));
    SetStatusText(*this, ui::LoadString(kStringConnected));
}

void CDQ450DemoDlg::ShowDisconnected() {
    m_nTransportMode = TransportClosed;
    SetCaption(ui::LoadString(kStringConnectFailed));
    SetStatusText(*this, ui::LoadString(kStringConnectFailed));
    Item(IDC_VERSION).SetText("");
    Item(IDC_HARDWARE_ID).SetText("");
}

void CDQ450DemoDlg::OnDisconnect() {
    ConnectionBusy busy(*this);
    if (m_hDevice == platform::kInvalidHandle)
        return;
    StopReadThread();
    if (IsNoDevice(m_hDevice) || !platform::CloseDeviceHandle(m_hDevice))
        return;
    m_hDevice = platform::kInvalidHandle;
    SetStatusText(*this, ui::LoadString(kStringDisconnected));
    Item(IDC_RADIO_COM).Enable(true);
    Item(IDC_RADIO_USB).Enable(true);
    ShowDisconnected();
}
