#include "render_templates.h"

#include "platform/ui/dialog.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/recorder.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

int RenderTemplates(const QString& folder, FitCheck& fit) {
    const ui::UiRecorder recorder; // no box may wait for an operator here
    int written = 0;
    for (const int id : res::DialogTemplateIds()) {
        for (const res::Language language : {res::Language::English, res::Language::Chinese}) {
            ui::Dialog dialog(id, language);
            if (!dialog.CreateModeless()) {
                std::fprintf(stderr, "template %d: not found\n", id);
                continue;
            }
            QApplication::processEvents();
            const QString name = QStringLiteral("template_%1_%2.png")
                                     .arg(id)
                                     .arg(language == res::Language::English ? "en" : "zh");
            const QString path = QDir(folder).filePath(name);
            if (ui::WindowOf(dialog)->grab().save(path)) {
                ++written;
            } else {
                std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
            }
            fit.Check(dialog);
            dialog.DestroyWindow();
        }
    }
    return written;
}
