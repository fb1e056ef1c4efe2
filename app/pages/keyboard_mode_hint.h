#pragma once
// After a reader is switched to the keyboard interface over USB HID, its data
// arrive as typing, which only the card-swipe test tab collects: the operator
// is told so in a box owned by page and taken to that tab.

#include "platform/ui/dialog.h"

class CDQ450DemoDlg;

void ShowKeyboardModeHint(CDQ450DemoDlg& mainDialog, ui::Dialog& page);
