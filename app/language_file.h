#pragma once
// The language file: two bytes in the working directory holding a language
// id, least significant byte first. The only setting the program stores.

#include <cstdint>

inline constexpr const char* kLanguageFileName = "Language.ini";

inline constexpr uint16_t kLangChineseSimplified = 0x0804;
inline constexpr uint16_t kLangEnglish = 0x0409;

// The value the file holds. Bytes the file lacks keep the preset 0xFF, so an
// empty file gives 0xFFFF and a one-byte file 0xFF00 plus that byte; only the
// first two bytes count. Without a readable file, the system's default
// language.
uint16_t ReadLanguageValue();

// The user-interface language for a value read at start.
uint16_t MapUiLanguage(uint16_t value);

// Creates or truncates the file and writes the two bytes; false when the file
// cannot be written whole.
bool WriteLanguageValue(uint16_t value);
