#include "app/pages/usb_page.h"

#include "app/decode/card_swipe_stats.h"
#include "app/main_dialog.h"

#include <string>

using namespace usb_page;

namespace {

constexpr int kTrackFilterFrames[] = {1076, 1077, 1078};

void FillNumbers(ui::Control combo, int first, int last) {
    for (int value = first; value <= last; ++value)
        combo.AddString(std::to_string(value));
}

} // namespace

CComDlg::CComDlg() : Dialog(kUsbPageTemplateId) {
    BindTrackHandlers();
    BindFilterHandlers();
    BindCommandHandlers();
}

bool CComDlg::OnInitDialog() {
    m_pMainDlg = dynamic_cast<CDQ450DemoDlg*>(Parent());

    Item(1006).SetCurSel(0);
    Item(1007).SetCurSel(0);
    Item(1018).SetCurSel(0);

    FillNumbers(Item(1024), 0, 10);
    Item(1024).SetCurSel(0);

    Item(1336).SetLimitText(2);
    Item(1336).SetText("00");
    Item(1336).Enable(false);

    for (int i = 0; i < 6; ++i) {
        Item(kSentinelEdits[i]).SetLimitText(1);
        Item(kSentinelEdits[i]).SetText(std::string(1, char(kDefaultTrackSentinels[i])));
    }

    // The custom end flag shows only for "Sel-define" over USB HID.
    Item(1040).Show(false);
    Item(1019).Show(false);

    for (int id : {1015, 1016, 1017})
        Item(id).SetCheck(1);
    Item(1019).SetLimitText(2);
    Item(1052).SetCheck(1);
    Item(1051).SetCheck(1);

    FillNumbers(Item(1144), 100, 255);
    if (Item(1144).GetCount() > 0)
        Item(1144).SetCurSel(0);

    for (int id : {1150, 1146, 1153})
        Item(id).SetCheck(1);
    Item(1148).SetLimitText(4);

    if (Item(1014).GetCount() > 0)
        Item(1014).SetCurSel(0);
    Item(1246).SetCurSel(0);

    if (Item(1058).GetCount() > 0)
        Item(1058).SetCurSel(0);
    UpdateFilterControls(Item(1058).GetCurSel());

    if (Item(1339).GetCount() > 1)
        Item(1339).SetCurSel(1);
    return true;
}

void CComDlg::UpdateFilterControls(int mode) {
    const bool range = mode == 2 || mode == 3;
    for (int id : kTrackFilterFrames)
        Item(id).Enable(range);
    for (const FilterControls& filter : kFilters) {
        Item(filter.frame).Enable(range);
        Item(filter.check).Enable(range);
    }
    if (range) {
        // Characters in mode 2, positions up to 99 in mode 3.
        for (const FilterControls& filter : kFilters)
            Item(filter.edit).SetLimitText(mode == 2 ? 1 : 2);
        return;
    }
    for (const FilterControls& filter : kFilters) {
        Item(filter.check).SetCheck(0);
        Item(filter.label).Enable(false);
        Item(filter.edit).Enable(false);
        Item(filter.edit).SetText("");
    }
}
