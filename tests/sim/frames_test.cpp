#include "sim/frames.h"

#include <gtest/gtest.h>

namespace {

using sim::Bytes;

TEST(Frames, AllTracksFrameLaysOutRecordsOneAfterTheOther) {
    const std::array<sim::TrackRecord, 3> tracks = {
        sim::TrackRecord{'Y', {'A', 'B', 'C'}}, {'B', {}}, {'N', {}}};
    const Bytes frame = sim::EncodeAllTracksFrame('A', 0x13, tracks);
    const Bytes expected = {0x00, 0x0F, 'A', 'Y', 0x13, 0, 0,   0, 'Y',
                            3,    'A',  'B', 'C', 'B',  0, 'N', 0};
    EXPECT_EQ(frame, expected);
    EXPECT_EQ(sim::EncodeAllTracksFrame(0x00, 0x13, tracks)[2], 0x00);
}

TEST(Frames, SwipeFormsGiveOneFrameOrThree) {
    sim::Swipe swipe;
    swipe.flags = 0x81;
    swipe.tracks[1] = {'S', {'9'}};
    swipe.form = sim::SwipeForm::SingleTracks;
    const std::vector<Bytes> frames = sim::EncodeSwipeFrames(swipe);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0], (Bytes{0x00, 0x08, 'E', 'Y', 0x81, 0, 0, 0, 'Y', 0}));
    EXPECT_EQ(frames[1], (Bytes{0x00, 0x09, 'F', 'Y', 0x81, 0, 0, 0, 'S', 1, '9'}));
    EXPECT_EQ(frames[2][2], 'G');
    swipe.form = sim::SwipeForm::AllTracksZero;
    EXPECT_EQ(sim::EncodeSwipeFrames(swipe).size(), 1u);
}

TEST(Frames, TrackDataIsCutToItsLengthByte) {
    const sim::TrackRecord longTrack{'Y', Bytes(300, 'x')};
    const Bytes frame = sim::EncodeTrackFrame(2, 0, longTrack);
    EXPECT_EQ(frame[9], 255);
    EXPECT_EQ(frame.size(), 10u + 255u);
    EXPECT_EQ(size_t{frame[0]} << 8 | frame[1], frame.size() - 2);
}

TEST(Frames, IButtonFramesCarryTheKey) {
    EXPECT_EQ(sim::EncodeIButtonFrame(false, {0x01, 0x41, 0x42}),
              (Bytes{0x00, 0x05, 'a', 'Y', 0x01, 0x41, 0x42}));
    EXPECT_EQ(sim::EncodeIButtonFrame(true, {0x30}), (Bytes{0x00, 0x03, 'b', 'Y', 0x30}));
    const Bytes big = sim::EncodeIButtonFrame(false, Bytes(300, 0x11));
    EXPECT_EQ(size_t{big[0]} << 8 | big[1], 302u);
}

} // namespace
