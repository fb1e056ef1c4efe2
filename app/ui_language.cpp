#include "app/ui_language.h"

#include "app/language_file.h"
#include "platform/ui/strings.h"

namespace {

uint16_t g_uiLanguage = kLangEnglish;

} // namespace

void SetThreadUILanguage(uint16_t langId) {
    g_uiLanguage = langId;
    ui::SetUiLanguage(langId == kLangChineseSimplified ? res::Language::Chinese
                                                       : res::Language::English);
}

uint16_t GetThreadUILanguage() {
    return g_uiLanguage;
}

void ApplyStartupLanguage() {
    SetThreadUILanguage(MapUiLanguage(ReadLanguageValue()));
}
