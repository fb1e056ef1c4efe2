#pragma once
// The texts that controls take while the program runs, beyond their template
// captions: every outcome the status line can show, the sentinel edits at
// their longest, the decode-mode marks.

#include "fit_check.h"
#include "platform/ui/dialog.h"

// Checks the controls of dialog (a window of the running program) that take
// such texts, each with every one of its texts.
void CheckRunTimeTexts(FitCheck& fit, const ui::Dialog& dialog);
