#include "platform/ui/strings.h"

#include <atomic>

namespace ui {

namespace {

std::atomic<res::Language> g_language{res::Language::English};

} // namespace

void SetUiLanguage(res::Language language) {
    g_language.store(language);
}

res::Language UiLanguage() {
    return g_language.load();
}

std::string LoadString(int id) {
    const char* text = res::LoadResString(id, UiLanguage());
    return text ? std::string(text) : std::string();
}

std::string LoadNotice(res::Notice id) {
    return res::LoadNotice(id, UiLanguage());
}

std::string LoadNotice(res::Notice id, std::string_view node) {
    std::string notice = LoadNotice(id);
    if (const size_t slot = notice.find("%s"); slot != std::string::npos)
        notice.replace(slot, 2, node);
    return notice;
}

} // namespace ui
