#include "app/decode/card_texts.h"
#include "app/decode/ibutton_frame.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes IButtonFrame(char type, const Bytes& key) {
    Bytes frame(4 + key.size());
    frame[0] = static_cast<uint8_t>((key.size() + 2) >> 8);
    frame[1] = static_cast<uint8_t>(key.size() + 2);
    frame[2] = static_cast<uint8_t>(type);
    frame[3] = 'Y';
    std::copy(key.begin(), key.end(), frame.begin() + 4);
    return frame;
}

TEST(IButtonFrame, KeyReadInBlueAndDetachedInRed) {
    const IButtonView read =
        DecodeIButtonFrame(IButtonFrame('a', {0x01, 0x41, 0x42}), IButtonEvent::KeyRead);
    ASSERT_TRUE(read.hasData);
    EXPECT_EQ(read.hexView, "01 41 42 ");
    EXPECT_EQ(read.charView, "AB");
    EXPECT_EQ(read.colour, ui::Rgb(0, 0, 200));
    EXPECT_EQ(read.statusText, kIButtonReadText);

    const IButtonView detached =
        DecodeIButtonFrame(IButtonFrame('b', {0x30}), IButtonEvent::KeyDetached);
    EXPECT_EQ(detached.hexView, "30 ");
    EXPECT_EQ(detached.charView, "0");
    EXPECT_EQ(detached.colour, ui::Rgb(200, 0, 0));
    EXPECT_EQ(detached.statusText, kIButtonDetachedText);
}

TEST(IButtonFrame, CharacterViewSkipsZeroAndOneAndIsUtf8) {
    const IButtonView view = DecodeIButtonFrame(IButtonFrame('a', {0x00, 0x41, 0x01, 0xE9, 0xFF}),
                                                IButtonEvent::KeyRead);
    EXPECT_EQ(view.hexView, "00 41 01 E9 FF ");
    EXPECT_EQ(view.charView, "Aéÿ");
}

TEST(IButtonFrame, NoKeyBytesChangesNothing) {
    EXPECT_FALSE(DecodeIButtonFrame(IButtonFrame('a', {}), IButtonEvent::KeyRead).hasData);
    EXPECT_FALSE(DecodeIButtonFrame(Bytes{0x00, 0x02}, IButtonEvent::KeyDetached).hasData);
}

TEST(IButtonFrame, KeyBytesPast255AreCut) {
    Bytes key(300);
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<uint8_t>('0' + i % 10);
    const IButtonView view = DecodeIButtonFrame(IButtonFrame('a', key), IButtonEvent::KeyRead);
    EXPECT_EQ(view.hexView.size(), 255u * 3);
    EXPECT_EQ(view.charView.size(), 255u);
    EXPECT_EQ(view.charView.back(), '4'); // byte 254
}

} // namespace
