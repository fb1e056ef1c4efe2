#pragma once
// The dialog templates, one per source file; templates.cpp looks them up by id.

#include "res/resource.h"

namespace res {

extern const DialogTemplate kAboutDialog;   // 100
extern const DialogTemplate kMainDialog;    // 102
extern const DialogTemplate kUsbPage;       // 130
extern const DialogTemplate kConsolePage;   // 131
extern const DialogTemplate kIButtonPage;   // 138
extern const DialogTemplate kHidListDialog; // 143
extern const DialogTemplate kSwipeTestPage; // 146
extern const DialogTemplate kRs232Page;     // 165

} // namespace res
