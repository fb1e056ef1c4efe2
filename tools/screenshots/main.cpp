// screenshots FOLDER: pictures of every dialog, headless, for checking
// layout and glyphs in both languages.

#include "render_templates.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

#ifdef TXV_RENDER_APP_WINDOWS
#include "app/render_app_windows.h"
#endif

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
    const int written = RenderTemplates(folder);
#ifdef TXV_RENDER_APP_WINDOWS
    RenderAppWindows(folder);
#endif
    std::printf("%d template pictures in %s\n", written, argv[1]);
    return written > 0 ? 0 : 1;
}
