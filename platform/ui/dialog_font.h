#pragma once
// The dialog font and the dialog units of a template. Internal.

#include "platform/ui/ui_types.h"
#include "res/resource.h"

#include <QFont>

namespace ui::detail {

// Average character width and character height, in pixels, that dialog
// units are measured in.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// The original's base units for its dialog font at this point size (8 pt:
// 6 x 13, 9 pt: 7 x 15, others in proportion), so templates keep their
// proportions whichever fonts are installed here.
BaseUnits DialogBaseUnits(int points);

// A sans font for the language at about the original's pixel size, no wider
// on average than the base units allow (and falling back to one with CJK
// glyphs for Chinese texts in English dialogs).
QFont DialogFont(int points, res::Language language);

// Dialog units to pixels: x * base.x / 4, y * base.y / 8, rounded.
Rect DialogUnitsToPixels(const Rect& dialogUnits, BaseUnits base);

} // namespace ui::detail
