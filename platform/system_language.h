#pragma once
// The system's default language as a 16-bit language id, taken from the
// locale: the first non-empty of LC_ALL, LC_MESSAGES and LANG.

#include <cstdint>
#include <string_view>

namespace platform {

inline constexpr uint16_t kLangEnglishUs = 0x0409;

// "zh_CN.UTF-8", "cs", "fr_FR@euro" ...: the id of that language and
// territory; a known language with an unknown territory gives the language's
// main id; anything else (C, POSIX, empty, unknown) gives kLangEnglishUs.
uint16_t LangIdFromLocaleName(std::string_view locale);

uint16_t SystemDefaultLangId();

} // namespace platform
