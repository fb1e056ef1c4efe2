#pragma once
// The user-interface language, chosen once at start-up. Resources exist in
// Simplified Chinese and English only: 0x0804 takes the Chinese ones, every
// other language the English ones. Qt's own texts follow the same choice.

#include <cstdint>

void SetThreadUILanguage(uint16_t langId);
uint16_t GetThreadUILanguage();

// Reads the language file (or the system's language), maps it and makes it
// the user-interface language.
void ApplyStartupLanguage();
