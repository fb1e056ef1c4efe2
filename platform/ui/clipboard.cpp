#include "platform/ui/clipboard.h"

#include "platform/ui/hook_slot.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ui {

namespace {

detail::HookSlot<ClipboardHook> g_hook;

bool SetRealClipboard(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        return false;
    }
    clipboard->setText(QString::fromStdString(text));
    return true;
}

} // namespace

bool SetClipboardText(std::string_view text) {
    const std::string value(text);
    const ClipboardHook hook = g_hook.get();
    return hook ? hook(value) : SetRealClipboard(value);
}

ClipboardHook SetClipboardHook(ClipboardHook hook) {
    return g_hook.exchange(std::move(hook));
}

} // namespace ui
