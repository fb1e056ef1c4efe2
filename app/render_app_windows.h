#pragma once
// Pictures of the program's windows for the documentation.

#include "platform/ui/dialog.h"

#include <QString>
#include <functional>

// Called with each window just pictured: the main window, the page it shows,
// the About box.
using WindowPictured = std::function<void(const ui::Dialog& dialog)>;

// Builds the main window in English and in Chinese, shows each of its five
// tabs in USB mode and again in COM mode, and the About box, and saves each
// as a PNG in folder: main_<en|zh>_tab<0-4>.png, main_<en|zh>_com_tab<0-4>.png
// and about_<en|zh>.png. Needs a QApplication.
void RenderAppWindows(const QString& folder, const WindowPictured& pictured = {});
