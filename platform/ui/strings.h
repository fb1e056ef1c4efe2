#pragma once
// The process's UI language and the string table in it.

#include "res/resource.h"

#include <string>
#include <string_view>

namespace ui {

// Set once at start-up; dialogs built afterwards and LoadString use it.
void SetUiLanguage(res::Language language);
res::Language UiLanguage();

// String-table entry id in the UI language (UTF-8); empty for an unknown id.
std::string LoadString(int id);

// One of the program's own notices in the UI language (UTF-8).
std::string LoadNotice(res::Notice id);

// A notice about one device node, the node's path in its %s.
std::string LoadNotice(res::Notice id, std::string_view node);

} // namespace ui
