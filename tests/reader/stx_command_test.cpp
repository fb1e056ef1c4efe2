// The serial reader's commands against a reader played on the master end of
// a pseudo-terminal.

#include "platform/serial.h"
#include "reader/stx.h"
#include "tests/reader/commands_fixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace reader_test {
namespace {

constexpr char kUntouchedTrace[] = "untouched";

Bytes StxReply(uint8_t echo2, uint8_t echo3, uint8_t status, const Bytes& data) {
    Bytes frame =
        Cat({{0x02, static_cast<uint8_t>(data.size() + 3), echo2, echo3, status}, data, {0x03}});
    frame.push_back(XorChecksum(frame.data(), static_cast<unsigned>(frame.size())));
    return frame;
}

std::string Trace(const char* prefix, const Bytes& bytes) {
    std::string text = prefix;
    char hex[4];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", b);
        text += hex;
    }
    return text + "\r\n";
}

class RsCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(IsNoDevice(end.handle()));
        std::strcpy(requestTrace, kUntouchedTrace);
        std::strcpy(replyTrace, kUntouchedTrace);
    }

    ExchangeRecord Play(const Bytes& reply, const std::function<int()>& call) {
        return PlayExchange(end, Framing::Stx, reply, call);
    }
    int GetParameter(uint8_t* data, int capacity, int* count) {
        return RsGetParameter(end.handle(), data, capacity, count, requestTrace,
                              sizeof requestTrace, replyTrace, sizeof replyTrace);
    }
    int GetVersion(uint8_t* data, int capacity, int timeoutMs) {
        return RsGetVersion(end.handle(), data, capacity, timeoutMs, requestTrace,
                            sizeof requestTrace, replyTrace, sizeof replyTrace);
    }
    int Apply(const uint8_t* block) {
        return RsApplyOption(end.handle(), block, requestTrace, sizeof requestTrace, replyTrace,
                             sizeof replyTrace);
    }
    int Restore() {
        return RsRestoreDefault(end.handle(), requestTrace, sizeof requestTrace, replyTrace,
                                sizeof replyTrace);
    }

    ComReaderEnd end;
    char requestTrace[1024];
    char replyTrace[1024];
    uint8_t data[200] = {};
    int count = -1;
};

TEST_F(RsCommandTest, FixedRequestsAndTheirTraces) {
    struct Case {
        const char* name;
        std::function<int()> call;
        Bytes request;
    };
    const Case cases[] = {
        {"version",
         [this] { return GetVersion(data, 200, 1000); },
         {0x02, 0x02, 0x32, 0x30, 0x03, 0x01}},
        {"parameters",
         [this] { return GetParameter(data, 200, &count); },
         {0x02, 0x02, 0x31, 0x30, 0x03, 0x02}},
        {"restore", [this] { return Restore(); }, {0x02, 0x02, 0x30, 0x33, 0x03, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.request.back(), XorChecksum(c.request.data(), 5));
        // The version reader wants two bytes after the frame.
        const Bytes reply = Cat({StxReply(c.request[2], c.request[3], 'Y', {'V', '1'}), {0, 0}});
        const ExchangeRecord record = Play(reply, c.call);
        EXPECT_EQ(record.result, 0);
        EXPECT_EQ(record.request, c.request);
        EXPECT_EQ(requestTrace, Trace("TX: ", c.request));
        EXPECT_EQ(replyTrace, Trace("RX: ", Bytes(reply.begin(), reply.end() - 2)));
    }
}

TEST_F(RsCommandTest, ApplySendsTheBlockWithItsCheckByteAndWantsPowerModeEchoed) {
    uint8_t block[kRsParameterBlockSize];
    for (int i = 0; i < kRsParameterBlockSize; ++i)
        block[i] = static_cast<uint8_t>(0x10 + i);

    ExchangeRecord record = Play(StxReply('5', 0x10, 'Y', {}), [&] { return Apply(block); });
    EXPECT_EQ(record.result, 0);
    ASSERT_EQ(record.request.size(), 80u);
    EXPECT_EQ(Bytes(record.request.begin(), record.request.begin() + 3), (Bytes{0x02, 0x4C, '5'}));
    EXPECT_EQ(Bytes(record.request.begin() + 3, record.request.begin() + 78),
              Bytes(block, block + kRsParameterBlockSize));
    EXPECT_EQ(record.request[78], 0x03);
    EXPECT_EQ(record.request[79], XorChecksum(record.request.data(), 79));

    record = Play(StxReply('5', 0x00, 'Y', {}), [&] { return Apply(block); });
    EXPECT_EQ(record.result, 3);
}

TEST_F(RsCommandTest, ResultOfEachReply) {
    Bytes wrongCheck = StxReply('1', '0', 'Y', Bytes(75, 0x44));
    wrongCheck.back() ^= 0xFF;
    Bytes noStx = StxReply('1', '0', 'Y', {1, 2});
    noStx[0] = 0x05;
    struct Case {
        const char* name;
        Bytes reply;
        int result;
        int dataCount; // -1: count untouched
    };
    const Case cases[] = {
        {"refusal with error code", {0x02, 0x04, '1', '0', 'N', 0x07, 0x03, 0x00}, 7, -1},
        {"refusal with error code 0", {0x02, 0x04, '1', '0', 'N', 0x00, 0x03, 0x00}, 3, -1},
        {"refusal without error byte", StxReply('1', '0', 'N', {}), 3, -1},
        {"wrong echo", StxReply('1', '1', 'Y', {1}), 3, -1},
        {"LEN below 3", {0x02, 0x02, '1', '0', 0x03, 0x00}, 3, -1},
        {"no data", StxReply('1', '0', 'Y', {}), 0, 0},
        {"75 bytes, check byte not verified", wrongCheck, 0, 75},
        {"first byte not STX", noStx, 3, -1},
        {"more data than the buffer holds", StxReply('1', '0', 'Y', Bytes(101, 0x44)), 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t block[100];
        std::memset(block, 0xEE, sizeof block);
        count = -1;
        const ExchangeRecord record =
            Play(c.reply, [&] { return GetParameter(block, sizeof block, &count); });
        EXPECT_EQ(record.result, c.result);
        EXPECT_EQ(count, c.dataCount);
        const size_t copied = c.dataCount > 0 ? static_cast<size_t>(c.dataCount) : 0;
        for (size_t i = 0; i < sizeof block; ++i)
            ASSERT_EQ(block[i], i < copied ? 0x44 : 0xEE) << i;
    }
}

TEST_F(RsCommandTest, VersionTakesTheTwoBytesAfterItsFrameAndLeavesNothingQueued) {
    const Bytes reply = StxReply('2', '0', 'Y', {'V', '2', '.', '1'});
    const ExchangeRecord record =
        Play(Cat({reply, {0xAA, 0xBB, 0xCC}}), [&] { return GetVersion(data, 200, 1000); });
    EXPECT_EQ(record.result, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data)), "V2.1");
    EXPECT_EQ(replyTrace, Trace("RX: ", reply));
    EXPECT_EQ(platform::SerialBytesQueued(end.handle()), 0);
}

TEST_F(RsCommandTest, VersionTimesOutWithoutTheTwoBytesAndLeavesTheReplyTrace) {
    const Bytes reply = StxReply('2', '0', 'Y', {'V', '2'});
    const ExchangeRecord record = Play(reply, [&] { return GetVersion(data, 200, 300); });
    EXPECT_EQ(record.result, 3);
    EXPECT_EQ(requestTrace, Trace("TX: ", {0x02, 0x02, 0x32, 0x30, 0x03, 0x01}));
    EXPECT_STREQ(replyTrace, kUntouchedTrace);
    EXPECT_EQ(data[0], 0);
}

TEST_F(RsCommandTest, VersionLongerThanTheBufferFailsWithNothingCopied) {
    uint8_t version[8];
    std::memset(version, 0xEE, sizeof version);
    const Bytes reply = Cat({StxReply('2', '0', 'Y', Padded("V123456789", 10)), {0, 0}});
    EXPECT_EQ(Play(reply, [&] { return GetVersion(version, sizeof version, 1000); }).result, 3);
    EXPECT_EQ(Bytes(version, version + 8), Bytes(8, 0xEE));
}

TEST_F(RsCommandTest, FailedWriteLeavesBothTraces) {
    // A handle that names no open port: the write fails.
    EXPECT_EQ(
        RsRestoreDefault(987654, requestTrace, sizeof requestTrace, replyTrace, sizeof replyTrace),
        3);
    EXPECT_STREQ(requestTrace, kUntouchedTrace);
    EXPECT_STREQ(replyTrace, kUntouchedTrace);
}

TEST_F(RsCommandTest, BadArgumentsAreThreeAndSendNothing) {
    const uint8_t block[kRsParameterBlockSize] = {};
    char* const t = requestTrace;
    const int n = sizeof requestTrace;
    const DeviceHandle h = end.handle();
    for (DeviceHandle none : {DeviceHandle{0}, DeviceHandle{-1}}) {
        EXPECT_EQ(RsGetVersion(none, data, 200, 1000, t, n, t, n), 3);
        EXPECT_EQ(RsGetParameter(none, data, 200, &count, t, n, t, n), 3);
        EXPECT_EQ(RsApplyOption(none, block, t, n, t, n), 3);
        EXPECT_EQ(RsRestoreDefault(none, t, n, t, n), 3);
    }
    EXPECT_EQ(RsGetVersion(h, data, 200, 1000, nullptr, n, t, n), 3);
    EXPECT_EQ(RsGetVersion(h, data, 200, 1000, t, n, nullptr, n), 3);
    EXPECT_EQ(RsGetParameter(h, nullptr, 200, &count, t, n, t, n), 3);
    EXPECT_EQ(RsGetParameter(h, data, 200, nullptr, t, n, t, n), 3);
    EXPECT_EQ(RsGetParameter(h, data, 200, &count, nullptr, n, t, n), 3);
    EXPECT_EQ(RsApplyOption(h, nullptr, t, n, t, n), 3);
    EXPECT_EQ(RsApplyOption(h, block, t, n, nullptr, n), 3);
    EXPECT_EQ(RsRestoreDefault(h, nullptr, n, t, n), 3);
    EXPECT_TRUE(end.Silent(200));
    EXPECT_STREQ(requestTrace, kUntouchedTrace);
}

TEST_F(RsCommandTest, TracesAreCutAtTheirCapacity) {
    char small[12];
    std::memset(small, 'x', sizeof small);
    char tiny[1] = {'x'};
    const Bytes reply = StxReply('0', '3', 'Y', {});
    const ExchangeRecord record =
        Play(reply, [&] { return RsRestoreDefault(end.handle(), small, 10, tiny, sizeof tiny); });
    EXPECT_EQ(record.result, 0);
    EXPECT_STREQ(small, "TX: 02 02");
    EXPECT_EQ(small[10], 'x');
    EXPECT_EQ(tiny[0], '\0');
}

} // namespace
} // namespace reader_test
