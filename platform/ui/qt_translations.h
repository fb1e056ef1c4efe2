#pragma once
// Qt's own texts (the buttons of its dialogs, the edits' context menus) in
// the UI language, from the translations installed with Qt.

#include "res/resource.h"

namespace ui {

// Replaces the Qt translations installed before with those of language;
// English needs none. False when they cannot be loaded or there is no
// application object yet.
bool LoadQtTranslations(res::Language language);

} // namespace ui
