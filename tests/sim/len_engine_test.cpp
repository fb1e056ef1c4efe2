#include "sim/frames.h"
#include "sim/len_engine.h"

#include <gtest/gtest.h>

namespace {

using sim::Bytes;
using sim::LenEngine;
using sim::Output;
namespace rb = sim::reader_block;
namespace ib = sim::ibutton_block;

Bytes Request(uint8_t command, const Bytes& params = {}) {
    const size_t len = params.size() + 1;
    Bytes request{static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len), command};
    request.insert(request.end(), params.begin(), params.end());
    return request;
}

Bytes Flatten(const Output& out) {
    Bytes all;
    for (const sim::Chunk& chunk : out) {
        all.insert(all.end(), chunk.bytes.begin(), chunk.bytes.end());
    }
    return all;
}

Bytes Ask(LenEngine& engine, const Bytes& request) {
    return Flatten(engine.Feed(request.data(), request.size()));
}

// The reply's data, after checking its frame: LEN matches, type is the
// command, status is the one expected.
Bytes ReplyData(const Bytes& reply, uint8_t command, uint8_t status = 'Y') {
    EXPECT_GE(reply.size(), 4u);
    if (reply.size() < 4) {
        return {};
    }
    EXPECT_EQ(size_t{reply[0]} << 8 | reply[1], reply.size() - 2);
    EXPECT_EQ(reply[2], command);
    EXPECT_EQ(reply[3], status);
    return Bytes(reply.begin() + 4, reply.end());
}

Bytes ReadBlock(LenEngine& engine) {
    return ReplyData(Ask(engine, Request(0x40)), 0x40);
}

TEST(LenEngine, AnswersEveryCommandWithItsTypeAndData) {
    struct Case {
        uint8_t command;
        Bytes params;
        size_t dataSize;
    };
    const Case cases[] = {
        {0x20, {0x08}, 0},       {0x30, {}, 13},          {0x31, {0x1B}, 0},
        {0x32, Bytes(39, 0), 0}, {0x34, {0x03, 0x64}, 0}, {0x36, {0x05}, 0},
        {0x37, Bytes(7, 0), 0},  {0x38, {0x1F}, 0},       {0x39, {0x12, 0x34}, 0},
        {0x3A, {0x00}, 0},       {0x3D, Bytes(53, 0), 0}, {0x3E, {0x00}, 0},
        {0x3F, {0x00}, 0},       {0x40, {}, 55},          {0x44, {}, 2},
        {0x50, {}, 21},          {0x51, {0x01}, 0},       {0x52, Bytes(32, 0), 0},
        {0x53, {0x0D}, 0},       {0x54, {0x05}, 0},       {0x57, {0x10, 0x20}, 0},
        {0x58, Bytes(16, 0), 0}, {0x5D, Bytes(54, 0), 0}, {0x5F, {}, 0},
        {0x60, {}, 54},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "command 0x" << std::hex << int{c.command});
        LenEngine engine;
        const Bytes request = Request(c.command, c.params);
        EXPECT_EQ(ReplyData(Ask(engine, request), c.command).size(), c.dataSize);
        EXPECT_EQ(engine.LastRequest(), request);
    }
}

TEST(LenEngine, TakesRequestsSplitAnywhereAndSeveralAtOnce) {
    LenEngine engine;
    const Bytes version = Request(0x30);
    const Bytes id = Request(0x44);
    Bytes both = version;
    both.insert(both.end(), id.begin(), id.end());

    Bytes oneByOne;
    for (uint8_t byte : both) {
        const Bytes reply = Flatten(engine.Feed(&byte, 1));
        oneByOne.insert(oneByOne.end(), reply.begin(), reply.end());
    }
    EXPECT_EQ(Flatten(engine.Feed(both.data(), both.size())), oneByOne);
    EXPECT_EQ(engine.RequestCount(), 4u);
    EXPECT_EQ(engine.Feed(version.data(), 2).size(), 0u);
    EXPECT_TRUE(engine.HasPartial());
}

TEST(LenEngine, SetCommandsChangeWhatIsReadBack) {
    struct Case {
        const char* name;
        Bytes request;
        size_t offset;
        Bytes expected;
    };
    const Case cases[] = {
        {"keyboard type", Request(0x20, {0x08}), rb::kKeyboardType, {0x08}},
        {"interface", Request(0x31, {0x1B}), rb::kInterface, {0x1B}},
        {"buzzer", Request(0x34, {0x02, 0x96}), rb::kBuzzer, {0x02}},
        {"buzzer frequency", Request(0x34, {0x02, 0x96}), rb::kBuzzerFrequency, {0x96}},
        {"speed", Request(0x36, {0x07}), rb::kSpeed, {0x07}},
        {"filter",
         Request(0x37, {2, 0xC1, 2, 3, 4, 5, 6}),
         rb::kFilterMode,
         {2, 0xC1, 2, 3, 4, 5, 6}},
        {"decoding", Request(0x38, {0x15}), rb::kDecoding, {0x15}},
        {"device id", Request(0x39, {0x12, 0x34}), rb::kDeviceId, {0x12, 0x34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LenEngine engine;
        ReplyData(Ask(engine, c.request), c.request[2]);
        const Bytes block = ReadBlock(engine);
        ASSERT_EQ(block.size(), 55u);
        EXPECT_EQ(Bytes(block.begin() + static_cast<long>(c.offset),
                        block.begin() + static_cast<long>(c.offset + c.expected.size())),
                  c.expected);
    }
}

TEST(LenEngine, OutputTrackSetsSentinelsFlagsAndStrings) {
    LenEngine engine;
    Bytes params = {'A', 'B', 'C', 'D', 'E', 'F', 0x05, 0x2B, 0x00};
    for (int i = 0; i < 6; ++i) {
        params.insert(params.end(), {2, static_cast<uint8_t>('a' + i), '!', 0, 0});
    }
    ReplyData(Ask(engine, Request(0x32, params)), 0x32);
    const Bytes block = ReadBlock(engine);
    EXPECT_EQ(Bytes(block.begin() + 1, block.begin() + 9),
              (Bytes{'A', 'B', 'C', 'D', 'E', 'F', 0x05, 0x2B}));
    EXPECT_EQ(block[rb::kSentinelMode], 0x00);
    EXPECT_EQ(Bytes(block.begin() + 25, block.end()), Bytes(params.begin() + 9, params.end()));

    params[8] = 2; // no such sentinel mode
    ReplyData(Ask(engine, Request(0x32, params)), 0x32, 'N');
    EXPECT_EQ(ReadBlock(engine), block);
}

TEST(LenEngine, ApplyOptionSkipsBlockBytes22And23) {
    LenEngine engine;
    Bytes params(53);
    for (size_t i = 0; i < params.size(); ++i) {
        params[i] = static_cast<uint8_t>(0x80 + i);
    }
    ReplyData(Ask(engine, Request(0x20, {0x33})), 0x20);
    ReplyData(Ask(engine, Request(0x3D, params)), 0x3D);
    const Bytes block = ReadBlock(engine);
    Bytes expected(params.begin(), params.begin() + 22);
    expected.push_back(0x33); // keyboard type, untouched by apply
    expected.push_back(0x00);
    expected.insert(expected.end(), params.begin() + 22, params.end());
    EXPECT_EQ(block, expected);
    EXPECT_EQ(ReplyData(Ask(engine, Request(0x44)), 0x44), (Bytes{params[19], params[20]}));
}

TEST(LenEngine, RestoreDefaultBringsBackTheFactoryBlocks) {
    LenEngine engine;
    const Bytes readerDefaults = ReadBlock(engine);
    const Bytes ibuttonDefaults = ReplyData(Ask(engine, Request(0x60)), 0x60);
    Ask(engine, Request(0x3D, Bytes(53, 0x11)));
    Ask(engine, Request(0x20, {0x09}));
    Ask(engine, Request(0x5D, Bytes(54, 0x05)));
    ASSERT_NE(ReadBlock(engine), readerDefaults);
    ASSERT_NE(ReplyData(Ask(engine, Request(0x60)), 0x60), ibuttonDefaults);

    ReplyData(Ask(engine, Request(0x3F, {0x00})), 0x3F);
    EXPECT_EQ(ReadBlock(engine), readerDefaults);
    ASSERT_NE(ReplyData(Ask(engine, Request(0x60)), 0x60), ibuttonDefaults);
    ReplyData(Ask(engine, Request(0x5F)), 0x5F);
    EXPECT_EQ(ReplyData(Ask(engine, Request(0x60)), 0x60), ibuttonDefaults);
}

TEST(LenEngine, IButtonSettingsAreKeptInTheirBlock) {
    LenEngine engine;
    Bytes prefixSuffix(32, 0);
    prefixSuffix[0] = 3;
    prefixSuffix[1] = 'P';
    prefixSuffix[2] = 'R';
    prefixSuffix[3] = 'E';
    prefixSuffix[4] = 'x'; // beyond the length: not stored
    prefixSuffix[16] = 1;
    prefixSuffix[17] = 'S';
    Bytes withdraw(16, 0);
    withdraw[0] = 15;
    for (size_t i = 1; i < 16; ++i) {
        withdraw[i] = static_cast<uint8_t>('a' + i);
    }
    const Bytes requests[] = {Request(0x51, {0x03}),   Request(0x54, {0x05}),
                              Request(0x53, {0x0D}),   Request(0x57, {0x10, 0x20}),
                              Request(0x58, withdraw), Request(0x52, prefixSuffix)};
    for (const Bytes& request : requests) {
        ReplyData(Ask(engine, request), request[2]);
    }
    const Bytes block = ReplyData(Ask(engine, Request(0x60)), 0x60);
    ASSERT_EQ(block.size(), 54u);
    EXPECT_EQ(block[ib::kInterface], 0x03);
    EXPECT_EQ(block[ib::kEnable], 0x05);
    EXPECT_EQ(block[ib::kEndChar], 0x0D);
    EXPECT_EQ(block[ib::kFilterStart], 0x10);
    EXPECT_EQ(block[ib::kFilterEnd], 0x20);
    EXPECT_EQ(block[ib::kWithdrawLength], 15);
    EXPECT_EQ(Bytes(block.begin() + 7, block.begin() + 22),
              Bytes(withdraw.begin() + 1, withdraw.end()));
    EXPECT_EQ(block[ib::kPrefixLength], 3);
    EXPECT_EQ(Bytes(block.begin() + 24, block.begin() + 28), (Bytes{'P', 'R', 'E', 0}));
    EXPECT_EQ(block[ib::kSuffixLength], 1);
    EXPECT_EQ(block[ib::kSuffix], 'S');

    Bytes apply(54);
    for (size_t i = 0; i < apply.size(); ++i) {
        apply[i] = static_cast<uint8_t>(i % 16);
    }
    ReplyData(Ask(engine, Request(0x5D, apply)), 0x5D);
    EXPECT_EQ(ReplyData(Ask(engine, Request(0x60)), 0x60), apply);
}

TEST(LenEngine, RefusesWhatItCannotTake) {
    const Bytes tooLongWithdraw = [] {
        Bytes p(16, 0);
        p[0] = 16;
        return p;
    }();
    const Bytes tooLongPrefix = [] {
        Bytes p(32, 0);
        p[0] = 16;
        return p;
    }();
    const Bytes tooLongApply = [] {
        Bytes p(54, 0);
        p[ib::kSuffixLength] = 16;
        return p;
    }();
    const Bytes cases[] = {
        Request(0x99),                  // unknown command
        Request(0x20),                  // parameter missing
        Request(0x3D, Bytes(52, 0)),    // apply one byte short
        Request(0x58, tooLongWithdraw), // text longer than its field
        Request(0x52, tooLongPrefix),
        Request(0x5D, tooLongApply),
    };
    for (const Bytes& request : cases) {
        SCOPED_TRACE(testing::Message() << "command 0x" << std::hex << int{request[2]});
        LenEngine engine;
        const Bytes block = ReadBlock(engine);
        const Bytes ibutton = ReplyData(Ask(engine, Request(0x60)), 0x60);
        EXPECT_TRUE(ReplyData(Ask(engine, request), request[2], 'N').empty());
        EXPECT_EQ(ReadBlock(engine), block);
        EXPECT_EQ(ReplyData(Ask(engine, Request(0x60)), 0x60), ibutton);
    }
}

TEST(LenEngine, SkipsFramesWithoutCommandOrBeyondAnyRequest) {
    LenEngine engine;
    Bytes stream = {0x00, 0x00};               // no command
    stream.insert(stream.end(), {0x01, 0x00}); // LEN 256: skipped whole
    stream.insert(stream.end(), 256, 0x30);
    const Bytes version = Request(0x30);
    stream.insert(stream.end(), version.begin(), version.end());
    const Bytes reply = Flatten(engine.Feed(stream.data(), stream.size()));
    ReplyData(reply, 0x30);
    EXPECT_EQ(engine.RequestCount(), 1u);

    const Bytes huge = {0xFF, 0xFF, 0x30, 0x30};
    engine.Feed(huge.data(), huge.size());
    EXPECT_TRUE(engine.HasPartial());
    engine.DropPartial();
    ReplyData(Ask(engine, version), 0x30);
}

TEST(LenEngine, ReportPaddingAfterARequestIsDropped) {
    LenEngine engine;
    // 0x30 in one 9-byte report: the zeros after it are padding, not requests.
    const Bytes report = {0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(engine.FeedReport(report.data(), report.size()).size(), 1u);
    EXPECT_FALSE(engine.HasPartial());

    // A 42-byte request over six reports of 8 payload bytes.
    Bytes params(39, 0);
    params[8] = 1;
    Bytes request = Request(0x32, params);
    request.resize(48, 0x00);
    Output out;
    for (size_t at = 0; at < request.size(); at += 8) {
        out = engine.FeedReport(request.data() + at, 8);
        EXPECT_EQ(out.empty(), at < 40);
    }
    ReplyData(Flatten(out), 0x32);
    EXPECT_EQ(engine.RequestCount(), 2u);
    EXPECT_FALSE(engine.HasPartial());
}

TEST(LenEngine, ManualReadSendsTheQueuedSwipeOnce) {
    sim::Swipe swipe;
    swipe.tracks[0].data = {'1', '2'};
    const Bytes swipeFrame = sim::EncodeSwipeFrames(swipe)[0];
    const Bytes manual = Request(0x41);
    const Bytes cancel = Request(0x3A, {0x00});

    LenEngine queuedFirst;
    EXPECT_TRUE(queuedFirst.QueueManualSwipe(swipe).empty());
    EXPECT_EQ(Ask(queuedFirst, manual), swipeFrame);
    EXPECT_FALSE(queuedFirst.ManualReadArmed());
    EXPECT_TRUE(Ask(queuedFirst, manual).empty());
    EXPECT_TRUE(queuedFirst.ManualReadArmed());

    LenEngine armedFirst;
    EXPECT_TRUE(Ask(armedFirst, manual).empty());
    EXPECT_EQ(Flatten(armedFirst.QueueManualSwipe(swipe)), swipeFrame);
    EXPECT_FALSE(armedFirst.ManualReadArmed());

    LenEngine cancelled;
    Ask(cancelled, manual);
    ReplyData(Ask(cancelled, cancel), 0x3A);
    EXPECT_FALSE(cancelled.ManualReadArmed());
    EXPECT_TRUE(cancelled.QueueManualSwipe(swipe).empty());
    EXPECT_EQ(Ask(cancelled, manual), swipeFrame);
}

TEST(LenEngine, CardTextUsesTheSentinelsInForce) {
    LenEngine engine;
    sim::Swipe swipe;
    swipe.tracks[0].data = {'A', 'B'};
    swipe.tracks[1].data = {'1'};
    swipe.tracks[2].status = 'B';
    EXPECT_EQ(Flatten(engine.EmitCardText(swipe)), (Bytes{'%', 'A', 'B', '?', ';', '1', '?'}));

    // Multi-char sentinels, track 2 not output.
    Bytes params = {'%', '?', ';', '?', '+', '?', 0x05, 0x58, 0x00};
    const Bytes strings[6] = {{2, 'S', '1', 0, 0}, {1, 'E', 0, 0, 0}, {1, 'x', 0, 0, 0},
                              {1, 'y', 0, 0, 0},   {0, 0, 0, 0, 0},   {9, 'z', 'z', 'z', 'z'}};
    for (const Bytes& s : strings) {
        params.insert(params.end(), s.begin(), s.end());
    }
    Ask(engine, Request(0x32, params));
    swipe.tracks[2] = {'Y', {'3'}};
    EXPECT_EQ(Flatten(engine.EmitCardText(swipe)),
              (Bytes{'S', '1', 'A', 'B', 'E', '3', 'z', 'z', 'z', 'z'}));
}

} // namespace
