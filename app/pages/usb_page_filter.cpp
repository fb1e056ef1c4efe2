// The USB page's data filter: which filter controls the mode offers, the six
// filters' check boxes, and the filter command.

#include "app/command_bracket.h"
#include "app/main_dialog.h"
#include "app/pages/edit_bytes.h"
#include "app/pages/usb_page.h"
#include "platform/ui/message_box.h"
#include "reader/reader.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using namespace usb_page;

namespace {

constexpr int IDC_FILTER_MODE = 1058;
constexpr int IDC_SET_DATA_FILTER = 1068;

constexpr uint8_t kFilterOnBit = 0x80;

constexpr const char* kFilterTextMissing = "Please input start char or start position ";

// A signed decimal number with optional leading blanks; anything else, an
// empty text or a number out of range reads as 0.
int DecimalValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return 0;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    value = negative ? -value : value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return int(value);
}

uint8_t FirstByte(const std::string& text) {
    return text.empty() ? 0 : uint8_t(text[0]);
}

} // namespace

void CComDlg::BindFilterHandlers() {
    OnCommand(IDC_FILTER_MODE, ui::Notify::SelChange, [this] { OnSelChangeFilterMode(); });
    OnCommand(kFilters[0].check, ui::Notify::Clicked, [this] { OnTrack1StartFilter(); });
    OnCommand(kFilters[1].check, ui::Notify::Clicked, [this] { OnTrack1EndFilter(); });
    OnCommand(kFilters[2].check, ui::Notify::Clicked, [this] { OnTrack2StartFilter(); });
    OnCommand(kFilters[3].check, ui::Notify::Clicked, [this] { OnTrack2EndFilter(); });
    OnCommand(kFilters[4].check, ui::Notify::Clicked, [this] { OnTrack3StartFilter(); });
    OnCommand(kFilters[5].check, ui::Notify::Clicked, [this] { OnTrack3EndFilter(); });
    OnCommand(IDC_SET_DATA_FILTER, ui::Notify::Clicked, [this] { OnSetDataFilter(); });
}

void CComDlg::OnSelChangeFilterMode() {
    UpdateFilterControls(Item(IDC_FILTER_MODE).GetCurSel());
}

void CComDlg::OnTrack1StartFilter() {
    FollowFilterCheck(0);
}
void CComDlg::OnTrack1EndFilter() {
    FollowFilterCheck(1);
}
void CComDlg::OnTrack2StartFilter() {
    FollowFilterCheck(2);
}
void CComDlg::OnTrack2EndFilter() {
    FollowFilterCheck(3);
}
void CComDlg::OnTrack3StartFilter() {
    FollowFilterCheck(4);
}
void CComDlg::OnTrack3EndFilter() {
    FollowFilterCheck(5);
}

void CComDlg::FollowFilterCheck(int filter) {
    const FilterControls& entry = kFilters[filter];
    const bool on = Item(entry.check).GetCheck() != 0;
    Item(entry.label).Enable(on);
    Item(entry.edit).Enable(on);
    if (!on)
        Item(entry.edit).SetText("");
}

bool CComDlg::ReadApplyFilterBytes(int mode, uint8_t (&bytes)[6]) const {
    for (int i = 0; i < 6; ++i) {
        bytes[i] = 0;
        if (mode != kFilterModeCharacters && mode != kFilterModePositions)
            continue;
        const std::optional<std::string> text = ReadEditBytes(*this, kFilters[i].edit);
        if (!text)
            return false;
        if (mode == kFilterModeCharacters)
            bytes[i] = text->empty() ? 0 : uint8_t(FirstByte(*text) | kFilterOnBit);
        else
            bytes[i] = uint8_t(DecimalValue(*text));
    }
    return true;
}

void CComDlg::OnSetDataFilter() {
    CommandBracket bracket(m_pMainDlg);
    int on[6];
    for (int i = 0; i < 6; ++i)
        on[i] = Item(kFilters[i].check).GetCheck() != 0;
    const int mode = Item(IDC_FILTER_MODE).GetCurSel();
    if (mode < 0)
        return;

    uint8_t values[6] = {};
    if (mode == kFilterModeCharacters || mode == kFilterModePositions) {
        for (int i = 0; i < 6; ++i) {
            const std::optional<std::string> text = ReadEditBytes(*this, kFilters[i].edit);
            if (!text)
                return;
            if (text->empty() && on[i]) {
                ui::MessageBox(kFilterTextMissing, "error", ui::MessageIcon::Error,
                               ui::MessageButtons::Ok, this);
                Item(kFilters[i].edit).SetFocus();
                return;
            }
            values[i] =
                mode == kFilterModeCharacters ? FirstByte(*text) : uint8_t(DecimalValue(*text));
        }
    }

    // The reader link marks a checked filter with bit 7 in character mode.
    const int result = CmdSetDataFilter(bracket.Device(), bracket.Transport(), uint8_t(mode), on[0],
                                        values[0], on[1], values[1], on[2], values[2], on[3],
                                        values[3], on[4], values[4], on[5], values[5]);
    ReportCommandResult(*m_pMainDlg, *this, result);
}
