// Reply frames the transports never deliver but the interpretation must
// still refuse on its own.

#include "reader/reply_frame.h"
#include "reader/types.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandReplyFrame, AcceptsOnlyAWholeFrameWithStatusY) {
    struct Case {
        const char* name;
        std::vector<uint8_t> frame;
        int count;
        int result;
    };
    const std::vector<uint8_t> good = {0x00, 0x04, 0x40, 'Y', 0x11, 0x22};
    const Case cases[] = {
        {"whole frame", good, 6, ReaderOk},
        {"LEN says more than was received", good, 5, ReaderFailed},
        {"LEN says less than was received", {0x00, 0x03, 0x40, 'Y', 0x11, 0x22}, 6, ReaderFailed},
        {"no status byte", {0x00, 0x01, 0x40}, 3, ReaderFailed},
        {"lower-case y", {0x00, 0x02, 0x40, 'y'}, 4, ReaderFailed},
    };
    for (const Case& c : cases) {
        const uint8_t* data = nullptr;
        int dataCount = -1;
        EXPECT_EQ(AcceptedReplyData(c.frame.data(), c.count, &data, &dataCount), c.result)
            << c.name;
    }
    const uint8_t* data = nullptr;
    int dataCount = -1;
    ASSERT_EQ(AcceptedReplyData(good.data(), 6, &data, &dataCount), ReaderOk);
    EXPECT_EQ(data, good.data() + 4);
    EXPECT_EQ(dataCount, 2);
}

} // namespace
