#include "platform/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace ui {

namespace {

QPointer<QTranslator> g_translator;

} // namespace

bool LoadQtTranslations(res::Language language) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        return false;
    }
    delete g_translator.data(); // takes itself off the application
    if (language != res::Language::Chinese) {
        return true;
    }
    auto* translator = new QTranslator(application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    g_translator = translator;
    return true;
}

} // namespace ui
