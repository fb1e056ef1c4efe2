#pragma once
// A static text drawn in a colour, font height and weight of its own, on a
// transparent background, on one line: a text too wide for the box at that
// font, or with glyphs taller than the box, is drawn in a smaller size of it.
// Owners attach it to a static of their dialog in their dialog initialisation
// and only then call the setters, since each setter repaints the label before
// it returns.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CLabel {
public:
    CLabel() = default;

    // Attaches to the static id of parent; false when there is none.
    bool SubclassDlgItem(int id, const ui::Dialog& parent);

    void ApplyTextColor(ui::Color color);
    // The character height in pixels: 12 gives the font height -12.
    void ApplyFontHeight(int height);
    void ApplyBold();

    ui::Color TextColor() const { return m_crLabelText; }
    ui::Control Control() const { return m_control; }

private:
    ui::Control m_control;
    ui::Color m_crLabelText;
};
