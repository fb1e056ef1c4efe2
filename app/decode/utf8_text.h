#pragma once
// Control texts are UTF-8; bytes from the reader are Latin-1, one byte per
// character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Each byte becomes the character of the same code.
std::string Latin1ToUtf8(std::string_view bytes);

// The reader's bytes for a control text, one per character; none when a
// character lies above U+00FF or the UTF-8 is broken, because the reader
// could not take it as it stands.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// Byte offsets at which the characters of text begin, followed by
// text.size(). A byte that begins no well-formed sequence is a character of
// its own, so every byte belongs to exactly one character.
std::vector<size_t> Utf8CharStarts(std::string_view text);
