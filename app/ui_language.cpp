#include "app/ui_language.h"

#include "app/language_file.h"
#include "platform/ui/qt_translations.h"
#include "platform/ui/strings.h"

namespace {

uint16_t g_uiLanguage = kLangEnglish;

} // namespace

void SetThreadUILanguage(uint16_t langId) {
    g_uiLanguage = langId;
    const res::Language resources =
        langId == kLangChineseSimplified ? res::Language::Chinese : res::Language::English;
    ui::SetUiLanguage(resources);
    // Qt's dialogs and menus speak the language of the program's own.
    ui::LoadQtTranslations(resources);
}

uint16_t GetThreadUILanguage() {
    return g_uiLanguage;
}

void ApplyStartupLanguage() {
    SetThreadUILanguage(MapUiLanguage(ReadLanguageValue()));
}
