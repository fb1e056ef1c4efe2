// The built-in icon and cursor are whole PNG images of the sizes the program
// expects, and the cursor's hot spot lies on the image.

#include "res/images.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace res_test {
namespace {

uint32_t BigEndian32(std::span<const unsigned char> bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
           uint32_t{bytes[at + 2]} << 8 | uint32_t{bytes[at + 3]};
}

void ExpectPng(std::span<const unsigned char> png, uint32_t width, uint32_t height) {
    constexpr std::array<unsigned char, 16> kStart = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                      0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    constexpr std::array<unsigned char, 8> kEnd = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    ASSERT_GT(png.size(), kStart.size() + 8 + kEnd.size());
    EXPECT_TRUE(std::equal(kStart.begin(), kStart.end(), png.begin()));
    EXPECT_TRUE(std::equal(kEnd.begin(), kEnd.end(), png.end() - kEnd.size()));
    EXPECT_EQ(BigEndian32(png, 16), width);
    EXPECT_EQ(BigEndian32(png, 20), height);
}

TEST(Images, IconIsASquarePng) {
    ExpectPng(res::ProgramIconPng(), 64, 64);
}

TEST(Images, HandCursorIsAPngWithItsHotSpotOnIt) {
    ExpectPng(res::HandCursorPng(), 32, 32);
    EXPECT_GE(res::kHandCursorHotSpotX, 0);
    EXPECT_LT(res::kHandCursorHotSpotX, 32);
    EXPECT_GE(res::kHandCursorHotSpotY, 0);
    EXPECT_LT(res::kHandCursorHotSpotY, 32);
}

} // namespace
} // namespace res_test
