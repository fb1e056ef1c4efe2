#include "sim/frames.h"
#include "sim/stx_engine.h"

#include <gtest/gtest.h>

namespace {

using sim::Bytes;
using sim::StxEngine;

Bytes StxRequest(const Bytes& command) {
    Bytes frame{sim::kStx, static_cast<uint8_t>(command.size())};
    frame.insert(frame.end(), command.begin(), command.end());
    frame.push_back(sim::kEtx);
    frame.push_back(sim::XorCheck(frame.data(), frame.size()));
    return frame;
}

Bytes Ask(StxEngine& engine, const Bytes& request) {
    Bytes all;
    for (const sim::Chunk& chunk : engine.Feed(request.data(), request.size())) {
        all.insert(all.end(), chunk.bytes.begin(), chunk.bytes.end());
    }
    return all;
}

// Checks the reply frame (length, echo, ETX, check byte) and returns its data;
// `extra` bytes may follow the frame.
Bytes ReplyData(const Bytes& reply, uint8_t echo2, uint8_t echo3, uint8_t status,
                size_t extra = 0) {
    EXPECT_GE(reply.size(), 6u + extra);
    if (reply.size() < 6 + extra) {
        return {};
    }
    const size_t frameSize = reply.size() - extra;
    EXPECT_EQ(reply[0], sim::kStx);
    EXPECT_EQ(size_t{reply[1]} + 4, frameSize);
    EXPECT_EQ(reply[2], echo2);
    EXPECT_EQ(reply[3], echo3);
    EXPECT_EQ(reply[4], status);
    EXPECT_EQ(reply[frameSize - 2], sim::kEtx);
    EXPECT_EQ(reply[frameSize - 1], sim::XorCheck(reply.data(), frameSize - 1));
    return Bytes(reply.begin() + 5, reply.begin() + static_cast<long>(frameSize - 2));
}

TEST(StxEngine, FixedRequestsCarryTheirCheckBytes) {
    EXPECT_EQ(StxRequest({'2', '0'}), (Bytes{0x02, 0x02, 0x32, 0x30, 0x03, 0x01}));
    EXPECT_EQ(StxRequest({'1', '0'}), (Bytes{0x02, 0x02, 0x31, 0x30, 0x03, 0x02}));
    EXPECT_EQ(StxRequest({'0', '3'}), (Bytes{0x02, 0x02, 0x30, 0x33, 0x03, 0x00}));
    const Bytes abc = {'a', 'b', 'c'};
    EXPECT_EQ(sim::XorCheck(abc.data(), abc.size()), 0x60);
}

TEST(StxEngine, VersionReplyIsFollowedByTwoMoreBytes) {
    StxEngine engine;
    engine.SetVersionText("RS 2.0");
    const Bytes reply = Ask(engine, {0x02, 0x02, 0x32, 0x30, 0x03, 0x01});
    EXPECT_EQ(ReplyData(reply, '2', '0', 'Y', 2), (Bytes{'R', 'S', ' ', '2', '.', '0'}));
}

TEST(StxEngine, ApplyIsReadBackAndRestoreBringsDefaults) {
    StxEngine engine;
    const Bytes defaults = ReplyData(Ask(engine, StxRequest({'1', '0'})), '1', '0', 'Y');
    ASSERT_EQ(defaults.size(), 75u);

    Bytes apply = {'5'};
    for (int i = 0; i < 75; ++i) {
        apply.push_back(static_cast<uint8_t>(0x10 + i));
    }
    const Bytes request = StxRequest(apply);
    ASSERT_EQ(request.size(), 80u);
    EXPECT_TRUE(ReplyData(Ask(engine, request), '5', 0x10, 'Y').empty());
    EXPECT_EQ(ReplyData(Ask(engine, StxRequest({'1', '0'})), '1', '0', 'Y'),
              Bytes(apply.begin() + 1, apply.end()));

    ReplyData(Ask(engine, StxRequest({'0', '3'})), '0', '3', 'Y');
    EXPECT_EQ(ReplyData(Ask(engine, StxRequest({'1', '0'})), '1', '0', 'Y'), defaults);
}

TEST(StxEngine, RefusesBadFramesWithAnErrorCode) {
    struct Case {
        const char* name;
        Bytes request;
        uint8_t code;
    };
    Bytes badCheck = StxRequest({'1', '0'});
    badCheck.back() ^= 0xFF;
    Bytes noEtx = StxRequest({'1', '0'});
    noEtx[4] = 0x04;
    const Case cases[] = {
        {"check byte", badCheck, sim::kStxErrorCheck},
        {"no ETX", noEtx, sim::kStxErrorCheck},
        {"unknown command", StxRequest({'9', '9'}), sim::kStxErrorCommand},
        {"short apply", StxRequest({'5', 0x00, 0x01}), sim::kStxErrorLength},
        {"version with a parameter", StxRequest({'2', '0', '1'}), sim::kStxErrorLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StxEngine engine;
        const sim::RsParameterBlock before = engine.RsBlock();
        EXPECT_EQ(ReplyData(Ask(engine, c.request), c.request[2], c.request[3], 'N'),
                  Bytes{c.code});
        EXPECT_EQ(engine.RsBlock(), before);
    }
}

TEST(StxEngine, NoiseBeforeStxIsDroppedAndSplitFramesAreJoined) {
    StxEngine engine;
    Bytes stream = {0x00, 0xFF, 0x55};
    const Bytes request = StxRequest({'1', '0'});
    stream.insert(stream.end(), request.begin(), request.end());
    Bytes replies;
    for (uint8_t byte : stream) {
        for (const sim::Chunk& chunk : engine.Feed(&byte, 1)) {
            replies.insert(replies.end(), chunk.bytes.begin(), chunk.bytes.end());
        }
    }
    EXPECT_EQ(ReplyData(replies, '1', '0', 'Y').size(), 75u);
    EXPECT_EQ(engine.LastRequest(), request);
    EXPECT_EQ(engine.RequestCount(), 1u);
}

TEST(StxEngine, CardTextFollowsTheRsSettings) {
    StxEngine engine;
    sim::RsParameterBlock block = engine.RsBlock();
    namespace rs = sim::rs_block;
    block[rs::kSentinels + 2] = rs::kNoSentinel; // track 2 start: none
    block[rs::kOutputTracks] = '3';              // tracks 1 and 2
    block[rs::kCarriageReturns] = 0x08 | 0x01;   // after track 1 and after the packet
    block[rs::kPrefixOn] = 1;
    block[rs::kPrefixLength] = 2;
    block[rs::kPrefix] = '<';
    block[rs::kPrefix + 1] = '<';
    block[rs::kSuffixOn] = 0;
    block[rs::kSuffixLength] = 3;
    engine.SetRsBlock(block);

    sim::Swipe swipe;
    swipe.tracks[0].data = {'A'};
    swipe.tracks[1].data = {'2'};
    swipe.tracks[2].data = {'3'};
    const sim::Output out = engine.EmitCardText(swipe);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes, (Bytes{'<', '<', '%', 'A', '?', 0x0D, '2', '?', 0x0D}));
}

} // namespace
