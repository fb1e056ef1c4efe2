// Text bound for the reader: one byte per character, or refused whole.

#include "app/decode/utf8_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8ToLatin1, EveryByteValueSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToLatin1("\xC3\xA9"), "\xE9");
    EXPECT_EQ(Utf8ToLatin1(""), "");
}

TEST(Utf8ToLatin1, TextWithACharacterTheReaderCannotTakeIsRefused) {
    const char* refused[] = {
        "A\xE4\xB8\xAD",    // 中 after a letter
        "\xE2\x82\xAC",     // €
        "\xC4\x80",         // U+0100, the first above one byte
        "\xF0\x9F\x98\x80", // a four-byte character
        "\xC3",             // cut short
        "\xC3\x41",         // lead without its trail
        "\xA9",             // trail without its lead
        "\xC0\x80",         // overlong
    };
    for (const char* text : refused)
        EXPECT_EQ(Utf8ToLatin1(text), std::nullopt) << testing::PrintToString(std::string(text));
}

} // namespace
