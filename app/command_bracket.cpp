#include "app/command_bracket.h"

#include "app/decode/hex_edit_filter.h"
#include "app/main_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"

CommandBracket::CommandBracket(CDQ450DemoDlg* mainDlg) : m_mainDlg(mainDlg) {
    // A stop that ran out of time is not reported: the command goes on.
    if (DeviceOpen())
        m_mainDlg->StopReadThreadForCommand();
}

CommandBracket::~CommandBracket() {
    if (DeviceOpen())
        m_mainDlg->StartReadThread();
}

DeviceHandle CommandBracket::Device() const {
    return m_mainDlg ? m_mainDlg->m_hDevice : platform::kInvalidHandle;
}

int CommandBracket::Transport() const {
    return m_mainDlg ? m_mainDlg->m_nTransportMode : TransportClosed;
}

bool CommandBracket::DeviceOpen() const {
    return !IsNoDevice(Device());
}

std::string MakeResultMessage(const ui::Dialog& page, bool success) {
    const std::string caption = page.Item(ui::Dialog::CurrentCommandId()).Text();
    return caption + " " + ui::LoadString(success ? kStringCommandOk : kStringCommandFailed);
}

void SetStatusText(CDQ450DemoDlg& mainDlg, std::string_view text) {
    mainDlg.Item(IDC_STATUS).SetText(text);
}

void SetStatusColour(CDQ450DemoDlg& mainDlg, ui::Color colour) {
    mainDlg.m_lblStatus.ApplyTextColor(colour);
}

void ReportCommandOutcome(CDQ450DemoDlg& mainDlg, const ui::Dialog& page, std::string_view text,
                          bool failed, std::string_view boxTitle, FailureBox order) {
    const auto showBox = [&] {
        if (failed)
            ui::MessageBox(text, boxTitle, ui::MessageIcon::Error, ui::MessageButtons::Ok, &page);
    };
    if (order == FailureBox::BeforeStatus)
        showBox();
    SetStatusText(mainDlg, text);
    if (order == FailureBox::AfterStatus)
        showBox();
}

void ReportCommandResult(CDQ450DemoDlg& mainDlg, const ui::Dialog& page, int result,
                         std::string_view boxTitle) {
    ReportCommandOutcome(mainDlg, page, MakeResultMessage(page, result == 0), result != 0,
                         boxTitle);
}

void BindHexOnlyEditFilter(ui::Dialog& page, int editId) {
    page.OnCommand(editId, ui::Notify::EditChange, [&page, editId] {
        ui::Control edit = page.Item(editId);
        int start = 0;
        int end = 0;
        edit.GetSel(start, end);
        const std::string text = edit.Text();
        const HexEditText kept = HexOnlyEditFilter(text, start);
        if (!kept.changed)
            return;
        // The rejected run just before the caret goes in one removal.
        edit.SetSel(kept.caret, start);
        edit.ScrollCaret();
        edit.ReplaceSel("");
    });
}

void CDQ450DemoDlg::BindHexEntryEdits() {
    for (int id : {1019, 1148, 1336})
        BindHexOnlyEditFilter(m_pageUsb, id);
    BindHexOnlyEditFilter(m_pageDebug, 1069);
    for (int id : {1163, 1168, 1169})
        BindHexOnlyEditFilter(m_pageIBtn, id);
}
