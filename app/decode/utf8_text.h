#pragma once
// Control texts are UTF-8; bytes from the reader are Latin-1, one byte per
// character.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Each byte becomes the character of the same code.
std::string Latin1ToUtf8(std::string_view bytes);

// Byte offsets at which the characters of text begin, followed by
// text.size(). A byte that begins no well-formed sequence is a character of
// its own, so every byte belongs to exactly one character.
std::vector<size_t> Utf8CharStarts(std::string_view text);
