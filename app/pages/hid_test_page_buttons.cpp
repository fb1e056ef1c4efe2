#include "app/command_bracket.h"
#include "app/main_dialog.h"
#include "app/pages/hid_test_page.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

namespace {

constexpr int kStringManualReadActive = 125;

// A length-prefixed request of length 1 whose command byte is 0x41; the
// reader answers with the next swipe, which the reading thread reads.
constexpr uint8_t kManualReadRequest[] = {0x00, 0x01, 0x41};

} // namespace

std::string CHidTestDlg::MakeFailMessage() const {
    return MakeResultMessage(*this, false);
}

void CHidTestDlg::OnCopyControlText(int id, const char* failure) {
    if (!ui::SetClipboardText(Item(id).Text()))
        ui::MessageBox(failure, {}, ui::MessageIcon::None, ui::MessageButtons::Ok, this);
    FocusRawData();
}

void CHidTestDlg::OnClearCount() {
    Item(IDC_RAW_DATA).SetText("");
    for (int id : IDC_TRACK_TEXT)
        Item(id).SetText("");
    m_stats.m_nBlankCount.fill(0);
    m_stats.m_nSwipeCount = 0;
    for (int track = 0; track < kTrackCount; ++track)
        ShowBlankCount(track);
    ShowSwipeCount();
    for (int track = 0; track < kTrackCount; ++track) {
        Item(IDC_SUCCESS_RATE[track]).SetText("0.00");
        Item(IDC_CHAR_COUNT[track]).SetText("0");
    }
    for (int track = 0; track < kTrackCount; ++track) {
        m_stats.m_trackCounters[size_t(track)].fill(0);
        for (int id : IDC_TRACK_COUNTERS[track])
            Item(id).SetText("0");
    }
    FocusRawData();
}

void CHidTestDlg::OnManualRead() {
    {
        CommandBracket bracket(m_pMainDlg);
        for (int id : IDC_TRACK_TEXT)
            Item(id).SetText("");
        // With no device open nothing is sent.
        const int result = bracket.DeviceOpen()
                               ? HidWriteReports(bracket.Device(), kManualReadRequest,
                                                 int(sizeof kManualReadRequest))
                               : ReaderBadArgument;
        const bool failed = result != ReaderOk;
        ReportCommandOutcome(*m_pMainDlg, *this,
                             failed ? MakeFailMessage() : ui::LoadString(kStringManualReadActive),
                             failed, "Error", FailureBox::BeforeStatus);
    }
    FocusRawData();
}

void CHidTestDlg::OnCancelManualRead() {
    {
        CommandBracket bracket(m_pMainDlg);
        const bool failed = CmdCancelManualRead(bracket.Device()) != ReaderOk;
        ReportCommandOutcome(*m_pMainDlg, *this, failed ? MakeFailMessage() : std::string(), failed,
                             "Error", FailureBox::BeforeStatus);
    }
    FocusRawData();
}
