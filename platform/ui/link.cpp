#include "platform/ui/link.h"

#include "platform/ui/hook_slot.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

namespace {

detail::HookSlot<OpenLinkHook> g_hook;

bool OpenRealLink(const std::string& target) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(target));
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace

bool OpenLink(std::string_view target) {
    const std::string value(target);
    const OpenLinkHook hook = g_hook.get();
    return hook ? hook(value) : OpenRealLink(value);
}

OpenLinkHook SetOpenLinkHook(OpenLinkHook hook) {
    return g_hook.exchange(std::move(hook));
}

} // namespace ui
