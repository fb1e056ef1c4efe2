#pragma once
// The program's own images, built into the program as PNG bytes
// (res/make_images.py draws them).

#include <span>

namespace res {

inline constexpr int kProgramIconId = 177; // 64 x 64
inline constexpr int kHandCursorId = 174;  // 32 x 32

// The hand cursor points with this pixel: the tip of its finger.
inline constexpr int kHandCursorHotSpotX = 10;
inline constexpr int kHandCursorHotSpotY = 1;

std::span<const unsigned char> ProgramIconPng();
std::span<const unsigned char> HandCursorPng();

} // namespace res
