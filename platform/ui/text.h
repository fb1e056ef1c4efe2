#pragma once
// Bytes for the reader are one byte per character (Latin-1), so every byte
// value survives a trip through a control's text and back.

#include <string>
#include <string_view>

namespace ui {

// Each byte becomes the character of the same code (UTF-8 result).
std::string FromLatin1Bytes(std::string_view bytes);
// Each character becomes one byte; a character above U+00FF, or a broken
// UTF-8 sequence, becomes '?'.
std::string ToLatin1Bytes(std::string_view utf8);

} // namespace ui
