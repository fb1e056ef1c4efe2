// The USB page's output tracks, sentinels and end flag, and the read-back of
// every setting on the operator's demand.

#include "app/command_bracket.h"
#include "app/decode/card_swipe_stats.h"
#include "app/decode/hex_text.h"
#include "app/main_dialog.h"
#include "app/pages/edit_bytes.h"
#include "app/pages/end_key_list.h"
#include "app/pages/usb_page.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace usb_page;

namespace {

constexpr int IDC_SET_OUTPUT_TRACK = 1020;
constexpr int IDC_GET_PARAMETER = 1047;
constexpr int IDC_APPLY_OPTION = 1143;
constexpr int IDC_SENTINEL_MODE = 1339;

constexpr const char* kMultiCharTexts[] = {"%%%%", "????", ";;;;", "????", "++++", "????"};

constexpr int kStringCustomEndFlagMissing = 122;

constexpr int kGetParameterTimeoutMs = 3000;
constexpr int kGetParameterBufferSize = 128;

} // namespace

void CComDlg::BindTrackHandlers() {
    OnCommand(IDC_SET_OUTPUT_TRACK, ui::Notify::Clicked, [this] { OnSetOutputTrack(); });
    OnCommand(IDC_SENTINEL_MODE, ui::Notify::SelChange, [this] { OnSelChangeSentinelMode(); });
    OnCommand(IDC_APPLY_OPTION, ui::Notify::Clicked, [this] { OnApplyOption(); });
    OnCommand(IDC_GET_PARAMETER, ui::Notify::Clicked, [this] { OnGetParameter(); });
}

std::optional<CComDlg::SentinelSet> CComDlg::ReadSentinels(int sentinelMode,
                                                           bool singleCharRecords) const {
    SentinelSet set{};
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::string> bytes = ReadEditBytes(*this, kSentinelEdits[i]);
        if (!bytes)
            return std::nullopt;
        const std::string& text = *bytes;
        set.chars[i] = text.empty() ? 0 : uint8_t(text[0]);
        SentinelString& record = set.records[i];
        if (sentinelMode == kMultiCharMode) {
            // A text set from code may pass the edit's limit; a record holds four.
            record.length = uint8_t(std::min(text.size(), sizeof record.chars));
            std::memcpy(record.chars, text.data(), record.length);
        } else if (sentinelMode == kSingleCharMode && singleCharRecords && !text.empty()) {
            record.length = 1;
            record.chars[0] = set.chars[i];
        }
    }
    return set;
}

CComDlg::EndFlagEntry CComDlg::ReadEndFlag(uint8_t& endFlag) const {
    const int item = Item(IDC_END_FLAG).GetCurSel();
    if (item < 0 || item >= kEndKeyItemCount)
        return EndFlagEntry::NoSelection;
    if (item != kEndKeyCustomItem) {
        endFlag = EndKeyByteOfItem(item);
        return EndFlagEntry::Read;
    }
    const std::optional<std::string> text = ReadEditBytes(*this, IDC_CUSTOM_END_FLAG);
    if (!text)
        return EndFlagEntry::Refused;
    if (text->size() != 2)
        return EndFlagEntry::BadCustomText;
    endFlag = HexStrToByte(*text);
    return EndFlagEntry::Read;
}

void CComDlg::ReportSentinelCommand(int result, const SentinelSet& sentinels) {
    ReportCommandResult(*m_pMainDlg, *this, result);
    if (result != 0)
        return;
    m_pMainDlg->SetTrackSentinels(sentinels.chars);
}

void CComDlg::OnSetOutputTrack() {
    CommandBracket bracket(m_pMainDlg);
    const int sentinelMode = Item(IDC_SENTINEL_MODE).GetCurSel();
    const std::optional<SentinelSet> sentinels = ReadSentinels(sentinelMode, false);
    if (!sentinels)
        return;
    int tracks[3];
    for (int i = 0; i < 3; ++i)
        tracks[i] = Item(kOutputTrackChecks[i]).GetCheck();

    uint8_t endFlag = 0;
    switch (ReadEndFlag(endFlag)) {
    case EndFlagEntry::NoSelection:
    case EndFlagEntry::Refused:
        return;
    case EndFlagEntry::BadCustomText: {
        const std::string message = ui::LoadString(kStringCustomEndFlagMissing);
        ui::MessageBox(message, "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok, this);
        SetStatusColour(*m_pMainDlg, kStatusFailColour);
        SetStatusText(*m_pMainDlg, message);
        Item(IDC_CUSTOM_END_FLAG).SetFocus();
        return;
    }
    case EndFlagEntry::Read:
        break;
    }

    // No selection gives 0xFF, which the reader link refuses.
    const SentinelString* r = sentinels->records;
    const uint8_t* c = sentinels->chars;
    const int result =
        CmdSetOutputTrack(bracket.Device(), bracket.Transport(), c[0], c[1], c[2], c[3], c[4], c[5],
                          tracks[0], tracks[1], tracks[2], endFlag, uint8_t(sentinelMode), &r[0],
                          &r[1], &r[2], &r[3], &r[4], &r[5]);
    ReportSentinelCommand(result, *sentinels);
}

void CComDlg::OnSelChangeSentinelMode() {
    const int mode = Item(IDC_SENTINEL_MODE).GetCurSel();
    if (mode != kMultiCharMode && mode != kSingleCharMode)
        return;
    const bool multi = mode == kMultiCharMode;
    for (int i = 0; i < 6; ++i) {
        ui::Control edit = Item(kSentinelEdits[i]);
        edit.SetLimitText(multi ? kMultiCharLimit : kSingleCharLimit);
        edit.SetText(multi ? kMultiCharTexts[i] : std::string(1, char(kDefaultTrackSentinels[i])));
    }
}

void CComDlg::OnGetParameter() {
    CommandBracket bracket(m_pMainDlg);
    uint8_t block[kGetParameterBufferSize] = {};
    // The sentinel edits keep their limits until the operator picks a mode.
    LoadParameterBlock(block, kGetParameterTimeoutMs, false);
}
