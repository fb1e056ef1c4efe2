#pragma once
// The language file: two bytes in the working directory holding a language
// id, least significant byte first. The only setting the program stores.

#include <cstdint>

inline constexpr const char* kLanguageFileName = "Language.ini";

inline constexpr uint16_t kLangChineseSimplified = 0x0804;
inline constexpr uint16_t kLangEnglish = 0x0409;

// The value the file holds. Bytes the file lacks keep the preset 0xFF, so an
// empty file gives 0xFFFF and a one-byte file 0xFF00 plus that byte; only the
// first two bytes count. Without a readable regular file (a pipe, a device or
// a folder of that name count as none), the system's default language.
uint16_t ReadLanguageValue();

// The user-interface language for a value read at start.
uint16_t MapUiLanguage(uint16_t value);

// Writes the two bytes to a new file that then takes the name at once, so a
// failed write leaves the old file as it was; the new file keeps the old
// one's permission bits. False when that fails, or when the file there may
// not be written by the user, which is then left as it was.
bool WriteLanguageValue(uint16_t value);
