#pragma once
// The dialog font and the dialog units derived from it. Internal.

#include "platform/ui/ui_types.h"
#include "res/resource.h"

#include <QFont>

namespace ui::detail {

// A sans font at the template's point size that has glyphs for the language
// (and falls back to one with CJK glyphs for Chinese texts in English dialogs).
QFont DialogFont(int points, res::Language language);

// Average character width and character height of the font, in pixels, as
// the original measures them.
struct BaseUnits {
    int x = 0;
    int y = 0;
};
BaseUnits DialogBaseUnits(const QFont& font);

// Dialog units to pixels: x * base.x / 4, y * base.y / 8, rounded.
Rect DialogUnitsToPixels(const Rect& dialogUnits, BaseUnits base);

} // namespace ui::detail
