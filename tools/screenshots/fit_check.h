#pragma once
// Finds the controls of a dialog whose text does not fit its box: captions of
// buttons, check boxes, radio buttons, group boxes and statics, every item of
// a combo box, the text of an edit, a frame cut off by its window, glyphs of
// a static cut by its box, and a static's text drawn over a group's frame.

#include "platform/ui/dialog.h"

#include <QSet>
#include <QString>
#include <QStringList>

class FitCheck {
public:
    // Checks the controls of dialog as they stand (its window must exist);
    // a misfit already found in an earlier check is not counted again.
    void Check(const ui::Dialog& dialog);
    // Checks control id of dialog with each of texts in turn, as if the
    // program had set it; the control gets its own text back.
    void CheckTexts(const ui::Dialog& dialog, int id, const QStringList& texts);
    // One line per misfit, in the order found: dialog, language, control id,
    // text, the width (or height) the text needs and the width it has.
    const QStringList& Misfits() const { return m_lines; }

private:
    void Add(const QString& line);

    QSet<QString> m_seen;
    QStringList m_lines;
};
