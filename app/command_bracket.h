#pragma once
// What every page command that talks to the reader shares: the bracket that
// keeps the reading thread off the device while the command runs, the
// result text, the status line with its colours, and the hex entry rule.
//
//   void CComDlg::OnSetSpeed() {
//       CommandBracket bracket(m_pMainDlg);        // stops the reading thread
//       int sel = Item(IDC_SPEED).GetCurSel();
//       if (sel < 0)
//           return;                                 // ends silently, thread restarts
//       int result = CmdSetSpeed(bracket.Device(), bracket.Transport(), sel);
//       ReportCommandResult(*m_pMainDlg, *this, result);
//   }                                               // restarts the reading thread
//
// The loads that run right after a connection use the reporting functions
// without a bracket: the main dialog starts the thread itself afterwards.

#include "platform/ui/dialog.h"
#include "platform/ui/ui_types.h"
#include "reader/types.h"

#include <string>
#include <string_view>

class CDQ450DemoDlg;

inline constexpr ui::Color kStatusFailColour = ui::Rgb(200, 0, 0);
inline constexpr ui::Color kStatusOkColour = ui::Rgb(0, 0, 200);

inline constexpr int kStringCommandOk = 118;
inline constexpr int kStringCommandFailed = 119;

// Stops the reading thread for its lifetime when a device is open (with no
// thread running, first takes what the reader already sent), and at every
// end of the command starts it again when a device is open then. With no
// device open nothing is stopped or started, and the command is still sent:
// the reader link refuses it.
class CommandBracket {
public:
    explicit CommandBracket(CDQ450DemoDlg* mainDlg);
    ~CommandBracket();
    CommandBracket(const CommandBracket&) = delete;
    CommandBracket& operator=(const CommandBracket&) = delete;

    DeviceHandle Device() const;
    int Transport() const;
    bool DeviceOpen() const;

private:
    CDQ450DemoDlg* m_mainDlg;
};

// The caption of the page's control whose command is being handled, one
// blank, then string 118 (success) or 119. A command that came from no
// control of the page gives the blank and the string alone.
std::string MakeResultMessage(const ui::Dialog& page, bool success);

// The status line's text.
void SetStatusText(CDQ450DemoDlg& mainDlg, std::string_view text);
// The status line's text colour, redrawn at once; set it before the text.
void SetStatusColour(CDQ450DemoDlg& mainDlg, ui::Color colour);

enum class FailureBox {
    AfterStatus,  // the text goes to the status line, then into the box
    BeforeStatus, // the box first, then the status line
};

// The text into the status line and, when failed, into a box with the error
// icon owned by page.
void ReportCommandOutcome(CDQ450DemoDlg& mainDlg, const ui::Dialog& page, std::string_view text,
                          bool failed, std::string_view boxTitle = "Error",
                          FailureBox order = FailureBox::AfterStatus);

// ReportCommandOutcome with MakeResultMessage(page, result == 0).
void ReportCommandResult(CDQ450DemoDlg& mainDlg, const ui::Dialog& page, int result,
                         std::string_view boxTitle = "Error");

// Makes edit editId of page a hex entry edit: after every change by the
// operator, the characters just before the caret that are not 0-9, A-F or a
// blank are removed.
void BindHexOnlyEditFilter(ui::Dialog& page, int editId);
