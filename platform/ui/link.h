#pragma once
// Opening a web address or file with the desktop's handler, behind a
// replaceable hook.

#include <functional>
#include <string>
#include <string_view>

namespace ui {

// True when the desktop accepted the target.
bool OpenLink(std::string_view target);

using OpenLinkHook = std::function<bool(const std::string& target)>;
OpenLinkHook SetOpenLinkHook(OpenLinkHook hook); // empty restores the real opener

} // namespace ui
