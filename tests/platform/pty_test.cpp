#include "platform/pty.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

using platform::Pty;

TEST(Pty, PassesEveryByteValueUnchangedBothWays) {
    Pty pty;
    ASSERT_TRUE(pty.Open());
    int slave = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    ASSERT_TRUE(isatty(slave));

    // Line endings, control characters and the line-editing keys are what a
    // cooked terminal would change or swallow.
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = uint8_t(i);
    ASSERT_EQ(pty.Write(all.data(), all.size()), 256);
    std::vector<uint8_t> got(256);
    size_t have = 0;
    while (have < got.size()) {
        ssize_t n = read(slave, got.data() + have, got.size() - have);
        ASSERT_GT(n, 0);
        have += size_t(n);
    }
    EXPECT_EQ(got, all);

    ASSERT_EQ(write(slave, all.data(), all.size()), 256);
    std::vector<uint8_t> back(256);
    EXPECT_EQ(pty.ReadExact(back.data(), back.size(), 2000), 256);
    EXPECT_EQ(back, all);
    close(slave);
}

TEST(Pty, KeepsWhatIsWrittenWhileNoProgramHoldsTheSlave) {
    Pty pty;
    ASSERT_TRUE(pty.Open());
    const uint8_t early[] = {1, 2, 3};
    ASSERT_EQ(pty.Write(early, sizeof early), 3);

    int slave = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    uint8_t got[3] = {};
    EXPECT_EQ(read(slave, got, sizeof got), 3);
    EXPECT_EQ(got[2], 3);
    close(slave);

    // The program's end closed: the master neither hangs up nor errs.
    uint8_t byte;
    EXPECT_EQ(pty.Read(&byte, 1, 20), 0);
    EXPECT_EQ(pty.Write(early, 1), 1);
}
