#pragma once
// Pictures of the program's windows for the documentation.

#include <QString>

// Builds the main window in English and in Chinese, shows each of its five
// tabs and the About box, and saves each as a PNG in folder:
// main_<en|zh>_tab<0-4>.png and about_<en|zh>.png. Needs a QApplication.
void RenderAppWindows(const QString& folder);
