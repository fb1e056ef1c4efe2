// screenshots FOLDER: pictures of every dialog template and of the program's
// windows, headless, for checking layout and glyphs in both languages; prints
// every control whose text does not fit its box, with the template's texts
// and with those the program sets while it runs.

#include "app/render_app_windows.h"
#include "fit_check.h"
#include "render_templates.h"
#include "run_time_texts.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "%s: cannot create the folder\n", argv[1]);
        return 1;
    }
    FitCheck fit;
    const int written = RenderTemplates(folder, fit);
    RenderAppWindows(folder, [&fit](const ui::Dialog& dialog) {
        fit.Check(dialog);
        CheckRunTimeTexts(fit, dialog);
    });
    for (const QString& line : fit.Misfits()) {
        std::printf("does not fit: %s\n", qPrintable(line));
    }
    std::printf("%d template pictures in %s, %lld controls whose text does not fit\n", written,
                argv[1], static_cast<long long>(fit.Misfits().size()));
    return written > 0 ? 0 : 1;
}
