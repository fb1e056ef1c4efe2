#include "app/pages/hid_list_dialog.h"

#include "app/command_bracket.h"
#include "app/decode/hex_text.h"
#include "app/decode/utf8_text.h"
#include "app/main_dialog.h"
#include "platform/hid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <cstdio>
#include <string>

namespace {

constexpr int IDC_PRODUCT_ID = 1197;
constexpr int IDC_VENDOR_ID = 1198;
constexpr int IDC_DEVICES = 1199;
constexpr int IDC_DETECT = 1200;
constexpr int IDC_OPEN_SELECTED = 1201;
constexpr int IDC_ALLOW_MODIFICATION = 1202;

constexpr int kReaderProductId = 0x572B;
constexpr int kReaderVendorId = 0x0483;
constexpr int kIdLength = 4;
// A path longer than this does not fit the open's buffer.
constexpr size_t kMaxPathLength = 255;
constexpr size_t kInfoBufferSize = 200;
constexpr int kDeviceIdTimeoutMs = 2000;

constexpr int kStringNoDevice = 115;
constexpr int kStringConnected = 112;
constexpr int kStringInfoFailed = 113;
constexpr int kStringIdFailed = 114;
constexpr int kStringNoReader = 131;

std::string IdText(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", id & 0xFFFF);
    return text;
}

// Four hex characters as a 16-bit id; false for any other length.
bool ParseId(const ui::Control& edit, int* id) {
    const std::optional<std::string> bytes = Utf8ToLatin1(edit.Text());
    if (!bytes || bytes->size() != kIdLength)
        return false;
    *id = *HexDeviceId(*bytes);
    return true;
}

} // namespace

CHidListDlg::CHidListDlg() : Dialog(kHidListTemplateId) {
    OnCommand(IDC_ALLOW_MODIFICATION, ui::Notify::Clicked, [this] { OnAllowModification(); });
    OnCommand(IDC_DETECT, ui::Notify::Clicked, [this] { OnDetectDevice(); });
    OnCommand(IDC_OPEN_SELECTED, ui::Notify::Clicked, [this] { OnOpenSelectedDevice(); });
    BindHexOnlyEditFilter(*this, IDC_PRODUCT_ID);
    BindHexOnlyEditFilter(*this, IDC_VENDOR_ID);
}

bool CHidListDlg::OnInitDialog() {
    m_edProductId = Item(IDC_PRODUCT_ID);
    m_edVendorId = Item(IDC_VENDOR_ID);
    m_lbDevices = Item(IDC_DEVICES);
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());

    m_edProductId.SetLimitText(kIdLength);
    m_edVendorId.SetLimitText(kIdLength);
    m_edProductId.SetText(IdText(kReaderProductId));
    m_edVendorId.SetText(IdText(kReaderVendorId));
    m_edProductId.Enable(false);
    m_edVendorId.Enable(false);
    OnDetectDevice();
    return true;
}

void CHidListDlg::OnAllowModification() {
    const bool allowed = Item(IDC_ALLOW_MODIFICATION).GetCheck() != 0;
    m_edProductId.Enable(allowed);
    m_edVendorId.Enable(allowed);
}

void CHidListDlg::OnDetectDevice() {
    int productId = 0;
    if (!ParseId(m_edProductId, &productId)) {
        ui::MessageBox("product id must be 2 byte，such as(A1B2 or 0203)", {},
                       ui::MessageIcon::None, ui::MessageButtons::Ok, this);
        m_edProductId.SetFocus();
        return;
    }
    int vendorId = 0;
    if (!ParseId(m_edVendorId, &vendorId)) {
        ui::MessageBox("vendor id must be 2 bytes，such as (A1B2 or 0203)", {},
                       ui::MessageIcon::None, ui::MessageButtons::Ok, this);
        m_edVendorId.SetFocus();
        return;
    }
    const HidPathList paths = FindHidDevices(productId, vendorId);
    m_lbDevices.ResetContent();
    for (const std::string& path : paths)
        m_lbDevices.AddString(Latin1ToUtf8(path));
    if (m_lbDevices.GetCount() > 0)
        m_lbDevices.SetCurSel(0);
}

void CHidListDlg::OnOpenSelectedDevice() {
    if (!m_pMainDlg)
        return;
    if (m_lbDevices.GetCount() == 0) {
        ui::MessageBox(ui::LoadString(kStringNoDevice), "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
        return;
    }
    const int selected = m_lbDevices.GetCurSel();
    if (selected < 0) {
        ui::MessageBox("please choose one at first", {}, ui::MessageIcon::None,
                       ui::MessageButtons::Ok, this);
        return;
    }
    const std::string path =
        Utf8ToLatin1(m_lbDevices.GetItemText(selected)).value_or(std::string());

    CDQ450DemoDlg& main = *m_pMainDlg;
    // A reader that did not answer before is let go, so no handle is left
    // open behind the new one.
    if (!IsNoDevice(m_hOpened)) {
        platform::CloseDeviceHandle(m_hOpened);
        if (main.m_hDevice == m_hOpened) {
            main.m_hDevice = platform::kInvalidHandle;
            main.m_nTransportMode = TransportClosed;
        }
        m_hOpened = platform::kInvalidHandle;
    }
    main.m_hDevice =
        path.size() > kMaxPathLength ? platform::kInvalidHandle : platform::OpenHidPath(path);
    if (main.m_hDevice == platform::kInvalidHandle) {
        const std::string text = ui::LoadString(kStringNoReader);
        SetStatusColour(main, kStatusFailColour);
        SetStatusText(main, text);
        ui::MessageBox(text, "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok, this);
        return;
    }

    main.SetCaption(ui::LoadString(kStringConnected));
    SetStatusColour(main, kStatusOkColour);
    SetStatusText(main, ui::LoadString(kStringConnected));
    main.m_nTransportMode = TransportHid;

    uint8_t info[kInfoBufferSize] = {};
    // One byte stays zero, so the text always ends inside the buffer.
    if (CmdIBtnDetectDevice(main.m_hDevice, main.m_nTransportMode, info, int(sizeof info - 1)) !=
        0) {
        SetStatusColour(main, kStatusFailColour);
        SetStatusText(main, ui::LoadString(kStringInfoFailed));
        m_hOpened = main.m_hDevice;
        return;
    }
    SetStatusColour(main, kStatusOkColour);
    SetStatusText(main, Latin1ToUtf8(reinterpret_cast<const char*>(info)));

    uint8_t idHigh = 0, idLow = 0;
    if (CmdGetDeviceId(main.m_hDevice, main.m_nTransportMode, &idHigh, &idLow,
                       kDeviceIdTimeoutMs) == 0) {
        char id[5];
        std::snprintf(id, sizeof id, "%02X%02X", idHigh, idLow);
        main.Item(IDC_HARDWARE_ID).SetText(id);
    } else {
        SetStatusColour(main, kStatusFailColour);
        SetStatusText(main, ui::LoadString(kStringIdFailed));
    }
    main.Item(IDC_RADIO_COM).Enable(false);
    main.Item(IDC_RADIO_USB).Enable(false);
    main.LoadReaderOpenedByList();
    main.StartReadThread();
    EndDialog(ui::kIdOk);
}
