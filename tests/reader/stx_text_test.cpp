// The check byte and the trace line, on their own.

#include "reader/hex_log.h"
#include "reader/stx.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(StxChecksum, XorOfTheBytes) {
    const uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(XorChecksum(abc, 3), 0x60);
    EXPECT_EQ(XorChecksum(abc, 0), 0x00);
    EXPECT_EQ(XorChecksum(nullptr, 0), 0x00);
}

TEST(StxTrace, HexLogLineFormatsCutsAndTerminates) {
    const uint8_t bytes[] = {0x02, 0xAB, 0x0F};
    char text[32];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(HexLogLine(text, sizeof text, "TX: ", bytes, 3), 15);
    EXPECT_STREQ(text, "TX: 02 AB 0F \r\n");

    EXPECT_EQ(HexLogLine(text, sizeof text, "RX: ", bytes, 0), 6);
    EXPECT_STREQ(text, "RX: \r\n");

    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(HexLogLine(text, 8, "TX: ", bytes, 3), 7);
    EXPECT_STREQ(text, "TX: 02 ");
    EXPECT_EQ(text[8], 'x');

    EXPECT_EQ(HexLogLine(text, 0, "TX: ", bytes, 3), 0);
    EXPECT_EQ(text[0], 'T');
}

TEST(StxTrace, LongestReplyFitsTheCallersText) {
    uint8_t reply[259] = {};
    char text[1024];
    EXPECT_EQ(HexLogLine(text, sizeof text, "RX: ", reply, 259), 783);
}

} // namespace
