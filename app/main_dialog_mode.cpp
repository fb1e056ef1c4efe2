#include "app/main_dialog.h"
#include "platform/ui/strings.h"

#include <initializer_list>
#include <string>

namespace {

// The USB controls of the group box and the COM controls share its place.
constexpr int kUsbControls[] = {1002, 1003};
constexpr int kComControls[] = {1297, 1298, 1293, 1294, 1296, 1295};

// The USB page's command controls; its data-filter edits and boxes follow
// the page's own filter logic instead.
constexpr int kUsbPageModeControls[] = {
    1029, 1030, 1031, 1032, 1033, 1006, 1007, 1014, 1005, 1048, 1015, 1016, 1017, 1034, 1035,
    1036, 1008, 1010, 1012, 1009, 1011, 1013, 1020, 1039, 1018, 1040, 1019, 1041, 1051, 1052,
    1154, 1144, 1021, 1043, 1044, 1024, 1023, 1155, 1150, 1146, 1151, 1152, 1153, 1147, 1156,
    1025, 1148, 1149, 1004, 1045, 1047, 1143, 1046, 1246, 1247, 1054, 1063, 1058, 1068,
};

constexpr int kRsPageModeControls[] = {
    1306, 1307, 1309, 1311, 1308, 1310, 1312, 1313, 1314, 1315, 1316, 1317, 1318,
    1319, 1320, 1321, 1322, 1326, 1327, 1328, 1329, 1334, 1335, 1336, 1337,
};

template <size_t N> void ShowControls(const ui::Dialog& dialog, const int (&ids)[N], bool show) {
    for (int id : ids)
        dialog.Item(id).Show(show);
}

void FillList(ui::Control list, std::initializer_list<std::string> items) {
    list.ResetContent();
    for (const std::string& item : items)
        list.AddString(item);
    list.SetCurSel(0);
}

} // namespace

void CDQ450DemoDlg::OnRadioCom() {
    ShowControls(*this, kUsbControls, false);
    ShowControls(*this, kComControls, true);
    OnSearchPort();
    if (m_cbBaud.GetCount() > 0)
        m_cbBaud.SetCurSel(1); // 9600

    const std::string transparent = ui::LoadString(136);
    const std::string protocol = ui::LoadString(137);
    FillList(m_pageUsb.Item(1006), {transparent, protocol});
    FillList(m_pageUsb.Item(1018), {"null", "Enter"});
    FillList(m_pageIBtn.Item(1175), {transparent, protocol});

    m_pageUsb.Item(1246).Enable(false);
    m_pageUsb.Item(1247).Enable(false);
    EnableModeControls(false);
}

void CDQ450DemoDlg::OnRadioUsb() {
    ShowControls(*this, kUsbControls, true);
    ShowControls(*this, kComControls, false);

    FillList(m_pageUsb.Item(1006), {"HID Keyboard", "HID Custom"});
    FillList(m_pageUsb.Item(1018), {"Enter", "Tab", "Sel-define", "null"});
    FillList(m_pageIBtn.Item(1175), {"HID Keyboard", "HID Custom"});

    m_pageUsb.Item(1247).Enable(true);
    m_pageUsb.Item(1246).Enable(true);
    EnableModeControls(true);
}

void CDQ450DemoDlg::EnableModeControls(bool usb) {
    m_pageRs.Enable(!usb);
    m_pageUsb.Enable(usb);
    for (int id : kUsbPageModeControls)
        m_pageUsb.Item(id).Enable(usb);
    for (int id : kRsPageModeControls)
        m_pageRs.Item(id).Enable(!usb);
}
