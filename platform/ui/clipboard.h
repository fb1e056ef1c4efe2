#pragma once
// The clipboard, behind a replaceable hook.

#include <functional>
#include <string>
#include <string_view>

namespace ui {

// Puts text (UTF-8, possibly empty) on the clipboard; false when that failed.
bool SetClipboardText(std::string_view text);

using ClipboardHook = std::function<bool(const std::string& text)>;
ClipboardHook SetClipboardHook(ClipboardHook hook); // empty restores the real clipboard

} // namespace ui
