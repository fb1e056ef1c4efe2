#pragma once
// The Qt widgets behind dialogs and controls, for tests (QTest input) and
// tools (rendering). The application itself does not need this header.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class QWidget;

namespace ui {

QWidget* WidgetOf(const Control& control); // null for an invalid control
QWidget* WindowOf(const Dialog& dialog);   // null before the window exists

} // namespace ui
