#include "app/decode/com_burst.h"
#include "app/decode/frame_dispatch.h"
#include "tests/test_bytes.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Frame(uint8_t type, uint8_t status, const std::string& data) {
    Bytes frame(4 + data.size());
    frame[0] = static_cast<uint8_t>((data.size() + 2) >> 8);
    frame[1] = static_cast<uint8_t>(data.size() + 2);
    frame[2] = type;
    frame[3] = status;
    std::copy(data.begin(), data.end(), frame.begin() + 4);
    return frame;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(FrameDispatch, DecoderAndTabByTypeAndTransport) {
    struct Case {
        uint8_t type;
        FrameDecoder hid;
        FrameDecoder com;
        int tab;
    };
    const Case cases[] = {
        {0x00, FrameDecoder::AllTracks, FrameDecoder::AllTracks, kCardSwipeTestTab},
        {'A', FrameDecoder::AllTracks, FrameDecoder::AllTracks, kCardSwipeTestTab},
        {'E', FrameDecoder::Track1, FrameDecoder::None, kCardSwipeTestTab},
        {'F', FrameDecoder::Track2, FrameDecoder::None, kCardSwipeTestTab},
        {'G', FrameDecoder::Track3, FrameDecoder::None, kCardSwipeTestTab},
        {'a', FrameDecoder::IButtonData, FrameDecoder::IButtonData, kIButtonTab},
        {'b', FrameDecoder::IButtonDetached, FrameDecoder::IButtonDetached, kIButtonTab},
        {'B', FrameDecoder::None, FrameDecoder::None, -1},
        {'e', FrameDecoder::None, FrameDecoder::None, -1},
        {0xFF, FrameDecoder::None, FrameDecoder::None, -1},
    };
    for (const Case& c : cases) {
        const Bytes frame = Frame(c.type, 'Y', "x");
        EXPECT_EQ(DecoderForFrame(frame, TransportHid), c.hid) << int{c.type};
        EXPECT_EQ(DecoderForFrame(frame, TransportCom), c.com) << int{c.type};
        EXPECT_EQ(TabForDecoder(c.hid), c.tab) << int{c.type};
        EXPECT_EQ(DecoderForFrame(Frame(c.type, 'N', "x"), TransportHid), FrameDecoder::None);
    }
    EXPECT_EQ(DecoderForFrame(Bytes{0x00, 0x01, 'A'}, TransportHid), FrameDecoder::None);
    EXPECT_EQ(DecoderForFrame(Frame('A', 'Y', ""), TransportHid), FrameDecoder::AllTracks);
}

class ComBurstTest : public ::testing::Test {
protected:
    // One poll that found bytes, as the reading thread runs it.
    void Poll(const Bytes& polled) {
        std::span<const uint8_t> rest(polled);
        while (!rest.empty()) {
            rest = rest.subspan(m_collector.Append(rest));
            if (m_collector.Full())
                TakeAll();
        }
    }
    // A poll that found the queue empty.
    void Pause() {
        if (m_collector.Holding())
            TakeAll();
    }
    void TakeAll() {
        for (ComBurst& burst : m_collector.Take())
            m_taken.push_back(std::move(burst));
    }

    ComBurstCollector m_collector;
    std::vector<ComBurst> m_taken;
};

TEST_F(ComBurstTest, WholeFrameIsDispatchedByTheComColumn) {
    const Bytes frame = Frame('A', 'Y',
                              std::string("\x01\0\0\0Y\x03"
                                          "ABC",
                                          9));
    Poll(Bytes(frame.begin(), frame.begin() + 5));
    Poll(Bytes(frame.begin() + 5, frame.end()));
    Pause();
    ASSERT_EQ(m_taken.size(), 1u);
    EXPECT_EQ(m_taken[0].kind, ComBurst::Kind::Frame);
    EXPECT_EQ(m_taken[0].decoder, FrameDecoder::AllTracks);
    EXPECT_EQ(m_taken[0].frame, frame);
    EXPECT_FALSE(m_collector.Holding());
}

TEST_F(ComBurstTest, FrameSplitByAPauseIsTakenAsTwoBursts) {
    const Bytes frame = Frame('a', 'Y', "KEY");
    Poll(Bytes(frame.begin(), frame.begin() + 4));
    Pause();
    Poll(Bytes(frame.begin() + 4, frame.end()));
    Pause();
    ASSERT_EQ(m_taken.size(), 2u);
    // The first part is shorter than its length field: text up to its first
    // zero byte, which is the length's high byte.
    EXPECT_EQ(m_taken[0].kind, ComBurst::Kind::Text);
    EXPECT_EQ(m_taken[0].text, "");
    EXPECT_EQ(m_taken[1].kind, ComBurst::Kind::Text);
    EXPECT_EQ(m_taken[1].text, "KEY");
}

TEST_F(ComBurstTest, BurstsThatAreNoFrameAreText) {
    struct Case {
        Bytes burst;
        ComBurst::Kind kind;
        std::string text;
    };
    const Case cases[] = {
        {Text("7"), ComBurst::Kind::Text, "7"}, // one byte can never match its length
        {Text("%ABC?;123?"), ComBurst::Kind::Text, "%ABC?;123?"},
        {Bytes{'%', 'A', 'B', 0x00, 'C', '?'}, ComBurst::Kind::Text, "%AB"},
        {Bytes{0xE9, 0x80}, ComBurst::Kind::Text, "\xE9\x80"},
        {Frame('E', 'Y', "x"), ComBurst::Kind::Dropped, ""}, // single-track frames are HID only
        {Frame('A', 'N', "x"), ComBurst::Kind::Dropped, ""}, // refused frames are not text
        {Frame('Z', 'Y', "x"), ComBurst::Kind::Dropped, ""},
        {Bytes{0x00, 0x00}, ComBurst::Kind::Dropped, ""}, // LEN 0 holds; status reads zero
        {Frame('A', 'Y', ""), ComBurst::Kind::Frame, ""}, // decoder shows its no-data box
    };
    for (const Case& c : cases) {
        m_taken.clear();
        Poll(c.burst);
        Pause();
        ASSERT_EQ(m_taken.size(), 1u);
        EXPECT_EQ(m_taken[0].kind, c.kind) << m_taken[0].text;
        EXPECT_EQ(m_taken[0].text, c.text);
    }
}

TEST_F(ComBurstTest, FullBufferIsTakenAsItStandsAndCollectionStartsAgain) {
    Poll(Bytes(1500, 'x'));
    ASSERT_EQ(m_taken.size(), 1u);
    EXPECT_EQ(m_taken[0].kind, ComBurst::Kind::Text);
    EXPECT_EQ(m_taken[0].text, std::string(kComBurstMax, 'x'));
    Pause();
    ASSERT_EQ(m_taken.size(), 2u);
    EXPECT_EQ(m_taken[1].text, std::string(1500 - kComBurstMax, 'x'));

    // The largest frame that fits is taken the moment it fills the buffer.
    m_taken.clear();
    Poll(Frame('b', 'Y', std::string(kComBurstMax - 4, 'k')));
    ASSERT_EQ(m_taken.size(), 1u);
    EXPECT_EQ(m_taken[0].kind, ComBurst::Kind::Frame);
    EXPECT_EQ(m_taken[0].decoder, FrameDecoder::IButtonDetached);
    EXPECT_EQ(m_taken[0].frame.size(), kComBurstMax);
    EXPECT_FALSE(m_collector.Holding());
}

TEST_F(ComBurstTest, AppendStopsAtAFullBuffer) {
    EXPECT_EQ(m_collector.Append(Bytes(kComBurstMax, 'x')), kComBurstMax);
    EXPECT_TRUE(m_collector.Full());
    EXPECT_EQ(m_collector.Append(Text("more")), 0u);
    const std::vector<ComBurst> full = m_collector.Take();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].text.size(), kComBurstMax);
    EXPECT_TRUE(m_collector.Take().empty()); // nothing held
}

using test_support::Cat;

// Only whole frames that add up to the burst exactly are taken one by one.
TEST_F(ComBurstTest, BurstOfWholeFramesIsTakenFrameByFrame) {
    using Kind = ComBurst::Kind;
    const Bytes keyRead = Frame('a', 'Y', "KEY");
    const Bytes detached = Frame('b', 'Y', "K");
    const Bytes swipe = Frame('A', 'Y', std::string("\x01\0\0\0", 4));
    struct Case {
        const char* what;
        Bytes burst;
        std::vector<FrameDecoder> decoders; // per item, None: dropped; empty: one text
        std::vector<Bytes> frames;          // of the frames taken
    };
    const Case cases[] = {
        {"key touched and released",
         Cat({keyRead, detached}),
         {FrameDecoder::IButtonData, FrameDecoder::IButtonDetached},
         {keyRead, detached}},
        {"three swipes held back",
         Cat({swipe, swipe, swipe}),
         {FrameDecoder::AllTracks, FrameDecoder::AllTracks, FrameDecoder::AllTracks},
         {swipe, swipe, swipe}},
        {"a refused and a HID-only frame among them",
         Cat({Frame('A', 'N', "x"), swipe, Frame('E', 'Y', "x")}),
         {FrameDecoder::None, FrameDecoder::AllTracks, FrameDecoder::None},
         {swipe}},
        {"type and status only",
         Cat({Frame('b', 'Y', ""), Frame('a', 'Y', "")}),
         {FrameDecoder::IButtonDetached, FrameDecoder::IButtonData},
         {Frame('b', 'Y', ""), Frame('a', 'Y', "")}},
        {"a byte more", Cat({keyRead, Text("x")}), {}, {}},
        {"a byte less", Cat({keyRead, Bytes(keyRead.begin(), keyRead.end() - 1)}), {}, {}},
        {"LEN 0 has no type or status", Cat({keyRead, Bytes{0x00, 0x00}}), {}, {}},
        {"nor has LEN 1", Cat({Bytes{0x00, 0x01, 'a'}, keyRead}), {}, {}},
        {"text in front", Cat({Text("%B1?"), keyRead}), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_taken.clear();
        Poll(c.burst);
        Pause();
        if (c.decoders.empty()) {
            ASSERT_EQ(m_taken.size(), 1u);
            EXPECT_EQ(m_taken[0].kind, Kind::Text);
            continue;
        }
        ASSERT_EQ(m_taken.size(), c.decoders.size());
        std::vector<Bytes> frames;
        for (size_t i = 0; i < m_taken.size(); ++i) {
            EXPECT_EQ(m_taken[i].decoder, c.decoders[i]) << i;
            EXPECT_EQ(m_taken[i].kind,
                      c.decoders[i] == FrameDecoder::None ? Kind::Dropped : Kind::Frame)
                << i;
            if (m_taken[i].kind == Kind::Frame)
                frames.push_back(m_taken[i].frame);
        }
        EXPECT_EQ(frames, c.frames);
    }
}

} // namespace
