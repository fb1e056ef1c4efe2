#pragma once
// Hex bytes typed by the operator. Texts are bytes, one per character.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// One character gives the low nibble, two give the high and the low nibble;
// a character outside 0-9, A-F (either case) is a zero nibble. An empty text
// or one of more than two characters gives 0. Never an error.
uint8_t HexStrToByte(std::string_view text);

// The reader's device id as typed: two characters give the low byte, four
// the high and the low byte (each through HexStrToByte); any other length
// gives nothing.
std::optional<int> HexDeviceId(std::string_view text);

// Appends one HexStrToByte per piece of text between blanks; runs of blanks
// give nothing. A text that begins with a blank is taken as one piece (the
// console trims its text first).
void HexTextToBytes(std::string_view text, std::vector<uint8_t>& out);
