#pragma once
// Finds the controls of a dialog whose text does not fit its box: captions of
// buttons, check boxes, radio buttons, group boxes and statics, every item of
// a combo box, the text of an edit, and a frame cut off by its window.

#include "platform/ui/dialog.h"

#include <QSet>
#include <QString>
#include <QStringList>

class FitCheck {
public:
    // Checks the controls of dialog as they stand (its window must exist);
    // a misfit already found in an earlier check is not counted again.
    void Check(const ui::Dialog& dialog);
    // One line per misfit, in the order found: dialog, language, control id,
    // text, the width (or height) the text needs and the width it has.
    const QStringList& Misfits() const { return m_lines; }

private:
    QSet<QString> m_seen;
    QStringList m_lines;
};
