#include "sim/frames.h"
#include "sim/len_engine.h"
#include "sim/stx_engine.h"

#include <gtest/gtest.h>

namespace {

using sim::Bytes;
using sim::Fault;
using sim::FaultKind;
using sim::Output;

const Bytes kVersionRequest = {0x00, 0x01, 0x30};
const Bytes kIdRequest = {0x00, 0x01, 0x44};

Output AskVersion(sim::LenEngine& engine) {
    return engine.Feed(kVersionRequest.data(), kVersionRequest.size());
}

TEST(Faults, ShapeTheLengthPrefixedReply) {
    sim::LenEngine clean;
    const Bytes reply = AskVersion(clean).at(0).bytes; // 00 0F 30 59 + 13 text bytes
    ASSERT_EQ(reply.size(), 17u);

    auto withLen = [&](uint16_t len) {
        Bytes b = reply;
        b[0] = static_cast<uint8_t>(len >> 8);
        b[1] = static_cast<uint8_t>(len);
        return b;
    };
    Bytes refused = reply;
    refused[3] = 'N';
    Bytes huge = withLen(0xFFFF);
    huge.resize(100, 0x55);
    Bytes noisy = {0xA5, 0x5A, 0xA5};
    noisy.insert(noisy.end(), reply.begin(), reply.end());

    struct Case {
        const char* name;
        Fault fault;
        Output expected;
    };
    const Case cases[] = {
        {"refuse", {.kind = FaultKind::Refuse}, {{refused, 0}}},
        {"silent", {.kind = FaultKind::Silent}, {}},
        {"short",
         {.kind = FaultKind::ShortReply, .count = 3},
         {{Bytes(reply.begin(), reply.begin() + 3), 0}}},
        {"len claims more",
         {.kind = FaultKind::LenClaimsMore, .count = 10},
         {{withLen(0x0F + 10), 0}}},
        {"len beyond buffers", {.kind = FaultKind::LenBeyondBuffers, .count = 100}, {{huge, 0}}},
        {"split by pause",
         {.kind = FaultKind::SplitByPause, .count = 5, .pauseMs = 120},
         {{Bytes(reply.begin(), reply.begin() + 5), 0},
          {Bytes(reply.begin() + 5, reply.end()), 120}}},
        {"noise before", {.kind = FaultKind::NoiseBefore, .count = 3}, {{noisy, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::LenEngine engine;
        engine.SetFault(c.fault);
        const Output out = AskVersion(engine);
        ASSERT_EQ(out.size(), c.expected.size());
        for (size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].bytes, c.expected[i].bytes);
            EXPECT_EQ(out[i].pauseBeforeMs, c.expected[i].pauseBeforeMs);
        }
    }
}

TEST(Faults, HitOnlyTheirTypeAndOnlyAsOftenAsAsked) {
    sim::LenEngine engine;
    engine.SetFault({.kind = FaultKind::Refuse, .onlyType = 0x30, .times = 2});
    const Bytes id = engine.Feed(kIdRequest.data(), kIdRequest.size()).at(0).bytes;
    EXPECT_EQ(id[3], 'Y');
    EXPECT_EQ(AskVersion(engine).at(0).bytes[3], 'N');
    EXPECT_EQ(AskVersion(engine).at(0).bytes[3], 'N');
    EXPECT_EQ(AskVersion(engine).at(0).bytes[3], 'Y');

    // Event frames are hit as well: a refused swipe frame.
    engine.SetFault({.kind = FaultKind::Refuse, .onlyType = 'A'});
    EXPECT_EQ(engine.EmitSwipe(sim::Swipe{}).at(0).bytes[3], 'N');
    engine.ClearFault();
    EXPECT_EQ(engine.EmitSwipe(sim::Swipe{}).at(0).bytes[3], 'Y');
}

TEST(Faults, ShapeTheStxReply) {
    const Bytes version = {0x02, 0x02, 0x32, 0x30, 0x03, 0x01};
    auto ask = [&](const Fault& fault) {
        sim::StxEngine engine;
        engine.SetFault(fault);
        return engine.Feed(version.data(), version.size()).at(0).bytes;
    };
    const Bytes clean = ask({});
    ASSERT_EQ(clean.size(), size_t{clean[1]} + 4 + 2);

    const Bytes refused = ask({.kind = FaultKind::Refuse, .errorCode = 7});
    EXPECT_EQ(Bytes(refused.begin(), refused.begin() + 6), (Bytes{0x02, 0x04, '2', '0', 'N', 7}));
    EXPECT_EQ(refused.size(), 8u + 2u);

    const Bytes wrongEcho = ask({.kind = FaultKind::WrongEcho});
    EXPECT_NE(wrongEcho[2], '2');
    const size_t frameSize = size_t{wrongEcho[1]} + 4;
    EXPECT_EQ(wrongEcho[frameSize - 1], sim::XorCheck(wrongEcho.data(), frameSize - 1));

    EXPECT_EQ(ask({.kind = FaultKind::NoVersionTrailer}).size(), clean.size() - 2);
    EXPECT_EQ(ask({.kind = FaultKind::LenBeyondBuffers})[1], 0xFF);
}

} // namespace
