#include "app/decode/bit_string.h"
#include "app/decode/hex_edit_filter.h"
#include "app/decode/hex_text.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(HexStrToByte, NibblesFromOneOrTwoCharacters) {
    struct Case {
        std::string text;
        uint8_t value;
    };
    const Case cases[] = {
        {"", 0x00},
        {"7", 0x07},
        {"a", 0x0A},
        {"1F", 0x1F},
        {"ff", 0xFF},
        {"G1", 0x01},
        {"1G", 0x10},
        {"123", 0x00},
        {" 5", 0x05},
        {"\xE9", 0x00},
        {"-", 0x00},
        {"9a", 0x9A},
        {"1234", 0x00},
        {std::string("\0"
                     "3",
                     2),
         0x03},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexStrToByte(c.text), c.value) << '"' << c.text << '"';
}

TEST(HexTextToBytes, OneBytePerPieceBetweenBlanks) {
    struct Case {
        std::string text;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"01 02 03", {0x01, 0x02, 0x03}},
        {"1 2", {0x01, 0x02}},
        {"0102", {0x00}},
        {"0A  0B", {0x0A, 0x0B}},
        {"0A ", {0x0A}},
        {"", {}},
        {"zz 1", {0x00, 0x01}},
        // Taken as one piece of more than two characters; the console trims.
        {" 01 02", {0x00}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out{0xEE};
        HexTextToBytes(c.text, out);
        std::vector<uint8_t> expected{0xEE};
        expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(out, expected) << '"' << c.text << '"';
    }
}

TEST(HexOnlyEditFilter, RemovesRejectedCharactersBeforeTheCaret) {
    struct Case {
        std::string text;
        int caret;
        std::string filtered;
        int filteredCaret;
    };
    const Case cases[] = {
        {"x", 1, "", 0},
        {"0A ", 3, "0A ", 3},
        {"AB-CD", 5, "AB-CD", 5}, // only the character before the caret is looked at
        {"AB-", 3, "AB", 2},
        {"ABxyz", 5, "AB", 2},
        {"ABxyzCD", 5, "ABCD", 2},
        {"x", 0, "x", 0},
        {"", 0, "", 0},
        {"a", 1, "", 0}, // the edit upper-cases; a lower-case letter is not hex here
        {"AB中", 3, "AB", 2},
        {"中x", 2, "", 0},
        {"ÉF", 1, "F", 0},
        {"AB!", 99, "AB", 2},
        {"!", -3, "!", 0},
        {"A\xFF", 2, "A", 1}, // a broken byte is one character
    };
    for (const Case& c : cases) {
        const HexEditText result = HexOnlyEditFilter(c.text, c.caret);
        EXPECT_EQ(result.text, c.filtered) << c.text << " at " << c.caret;
        EXPECT_EQ(result.caret, c.filteredCaret) << c.text << " at " << c.caret;
        EXPECT_EQ(result.changed, c.filtered != c.text) << c.text << " at " << c.caret;
    }
}

TEST(ByteToBitString, BitSevenFirst) {
    EXPECT_EQ(ByteToBitString(0xA5), "10100101");
    EXPECT_EQ(ByteToBitString(0x00), "00000000");
    EXPECT_EQ(ByteToBitString(0x80), "10000000");
    EXPECT_EQ(ByteToBitString(0x01), "00000001");
}

} // namespace
