// What the commands hand back from a reply, and the replies they refuse with
// every output left as it was, over COM and over HID.

#include "reader/commands.h"
#include "tests/reader/commands_fixture.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace reader_test {
namespace {

constexpr uint8_t kUntouched = 0xEE;

Bytes Reply(uint8_t type, uint8_t status, const Bytes& data) {
    const size_t len = data.size() + 2;
    return Cat(
        {{static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len & 0xFF), type, status}, data});
}

Bytes Counting(size_t n, uint8_t first = 1) {
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(first + i);
    return bytes;
}

// Every output of the data commands, filled with a marker before each call.
struct Outputs {
    uint8_t data[256];
    int count;
    uint8_t singles[9];
    uint8_t withdraw[15];
    uint8_t prefix[15];
    uint8_t suffix[15];

    Outputs() {
        for (uint8_t* field : {data, singles, withdraw, prefix, suffix})
            std::memset(field, kUntouched, FieldSize(field));
        count = -7;
    }
    bool Untouched() const {
        auto marked = [this](const uint8_t* field) {
            return std::all_of(field, field + FieldSize(field),
                               [](uint8_t b) { return b == kUntouched; });
        };
        return count == -7 && marked(data) && marked(singles) && marked(withdraw) &&
               marked(prefix) && marked(suffix);
    }
    size_t FieldSize(const uint8_t* field) const {
        if (field == data)
            return sizeof data;
        return field == singles ? sizeof singles : kIButtonTextLength;
    }
    int GetIButtonParameter(DeviceHandle h, int mode) {
        return CmdIBtnGetParameter(h, mode, &singles[0], &singles[1], &singles[2], &singles[3],
                                   &singles[4], &singles[5], &singles[6], withdraw, &singles[7],
                                   &singles[8], prefix, suffix, 1000);
    }
};

struct DataCommand {
    const char* name;
    uint8_t code;
    std::function<int(Outputs&, DeviceHandle, int)> call;
};

const DataCommand kDataCommands[] = {
    {"detect device", 0x30,
     [](Outputs& o, DeviceHandle h, int m) { return CmdDetectDevice(h, m, o.data, 200, 1000); }},
    {"read parameter", 0x40,
     [](Outputs& o, DeviceHandle h, int m) {
         return CmdReadParameter(h, m, o.data, 128, &o.count, 1000);
     }},
    {"get device id", 0x44,
     [](Outputs& o, DeviceHandle h, int m) {
         return CmdGetDeviceId(h, m, &o.singles[0], &o.singles[1], 1000);
     }},
    {"iButton detect device", 0x50,
     [](Outputs& o, DeviceHandle h, int m) { return CmdIBtnDetectDevice(h, m, o.data, 200); }},
    {"iButton get parameter", 0x60,
     [](Outputs& o, DeviceHandle h, int m) { return o.GetIButtonParameter(h, m); }},
    {"restore default", 0x3F,
     [](Outputs&, DeviceHandle h, int m) { return CmdRestoreDefault(h, m); }},
};

class CommandReplyTest : public ::testing::TestWithParam<int> {
protected:
    // One exchange on a fresh link, so that nothing a refused reply left
    // behind reaches the next case.
    int Play(const Bytes& reply, const std::function<int(DeviceHandle, int)>& call) {
        auto end = MakeReaderEnd(GetParam());
        EXPECT_FALSE(IsNoDevice(end->handle()));
        return PlayExchange(*end, Framing::Len, reply,
                            [&] { return call(end->handle(), end->mode()); })
            .result;
    }
};

TEST_P(CommandReplyTest, RefusedOrMalformedRepliesFailWithOutputsUntouched) {
    struct BadReply {
        const char* name;
        std::function<Bytes(uint8_t)> reply;
    };
    const BadReply badReplies[] = {
        {"status N", [](uint8_t code) { return Reply(code, 'N', Counting(2)); }},
        {"status 0", [](uint8_t code) { return Reply(code, 0x00, Counting(2)); }},
        {"LEN 0",
         [](uint8_t) {
             return Bytes{0x00, 0x00};
         }},
        {"LEN 1",
         [](uint8_t code) {
             return Bytes{0x00, 0x01, code};
         }},
        {"longer than every reply buffer",
         [](uint8_t code) { return Reply(code, 'Y', Counting(147)); }},
    };
    for (const DataCommand& command : kDataCommands) {
        for (const BadReply& bad : badReplies) {
            SCOPED_TRACE(std::string(command.name) + ", " + bad.name);
            Outputs outputs;
            EXPECT_EQ(Play(bad.reply(command.code),
                           [&](DeviceHandle h, int m) { return command.call(outputs, h, m); }),
                      ReaderFailed);
            EXPECT_TRUE(outputs.Untouched());
        }
    }
}

TEST_P(CommandReplyTest, ReplyFillingTheReplyBufferIsTakenOneMoreIsNot) {
    Outputs fits;
    EXPECT_EQ(
        Play(Reply(0x30, 'Y', Counting(26)),
             [&](DeviceHandle h, int m) { return CmdDetectDevice(h, m, fits.data, 200, 1000); }),
        ReaderOk);
    EXPECT_EQ(Bytes(fits.data, fits.data + 27), Cat({Counting(26), {kUntouched}}));

    Outputs over;
    EXPECT_EQ(
        Play(Reply(0x30, 'Y', Counting(27)),
             [&](DeviceHandle h, int m) { return CmdDetectDevice(h, m, over.data, 200, 1000); }),
        ReaderFailed);
    EXPECT_TRUE(over.Untouched());

    Outputs parameters;
    EXPECT_EQ(Play(Reply(0x40, 'Y', Counting(124)),
                   [&](DeviceHandle h, int m) {
                       return CmdReadParameter(h, m, parameters.data, 124, &parameters.count, 1000);
                   }),
              ReaderOk);
    EXPECT_EQ(parameters.count, 124);
    EXPECT_EQ(Bytes(parameters.data, parameters.data + 125), Cat({Counting(124), {kUntouched}}));
}

TEST_P(CommandReplyTest, DataLongerThanTheCallersBufferFailsWithNothingCopied) {
    Outputs parameters;
    EXPECT_EQ(Play(Reply(0x40, 'Y', Counting(55)),
                   [&](DeviceHandle h, int m) {
                       return CmdReadParameter(h, m, parameters.data, 54, &parameters.count, 1000);
                   }),
              ReaderFailed);
    EXPECT_TRUE(parameters.Untouched());

    Outputs version;
    EXPECT_EQ(
        Play(Reply(0x50, 'Y', Counting(10)),
             [&](DeviceHandle h, int m) { return CmdIBtnDetectDevice(h, m, version.data, 9); }),
        ReaderFailed);
    EXPECT_TRUE(version.Untouched());
}

TEST_P(CommandReplyTest, ReadParameterHandsBackDataAndCount) {
    Outputs outputs;
    EXPECT_EQ(Play(Reply(0x40, 'Y', Counting(55, 0x10)),
                   [&](DeviceHandle h, int m) {
                       return CmdReadParameter(h, m, outputs.data, 256, &outputs.count, 1000);
                   }),
              ReaderOk);
    EXPECT_EQ(outputs.count, 55);
    EXPECT_EQ(Bytes(outputs.data, outputs.data + 56), Cat({Counting(55, 0x10), {kUntouched}}));
}

TEST_P(CommandReplyTest, DeviceIdReadsMissingBytesAsZero) {
    struct Case {
        Bytes data;
        uint8_t high, low;
    };
    const Case cases[] = {{{0x12, 0x34}, 0x12, 0x34},
                          {{0x12}, 0x12, 0x00},
                          {{}, 0x00, 0x00},
                          {{0xAB, 0xCD, 0xEF}, 0xAB, 0xCD}};
    for (const Case& c : cases) {
        Outputs outputs;
        EXPECT_EQ(Play(Reply(0x44, 'Y', c.data),
                       [&](DeviceHandle h, int m) {
                           return CmdGetDeviceId(h, m, &outputs.singles[0], &outputs.singles[1],
                                                 1000);
                       }),
                  ReaderOk);
        EXPECT_EQ(outputs.singles[0], c.high);
        EXPECT_EQ(outputs.singles[1], c.low);
    }
}

TEST_P(CommandReplyTest, IButtonParameterFieldsAndZerosPastAShortReply) {
    const Bytes block = Cat({{0x01, 0x06, 0x2B, 0x09, 0x30, 0x39, 0x04},
                             Padded("WXYZ", 15),
                             {0x02, 0x03},
                             Padded("PR", 15),
                             Padded("SUF", 15)});
    ASSERT_EQ(block.size(), 54u);

    Outputs full;
    EXPECT_EQ(Play(Reply(0x60, 'Y', Cat({block, {0x77, 0x77}})),
                   [&](DeviceHandle h, int m) { return full.GetIButtonParameter(h, m); }),
              ReaderOk);
    EXPECT_EQ(Bytes(full.singles, full.singles + 7), Bytes(block.begin(), block.begin() + 7));
    EXPECT_EQ(Bytes(full.withdraw, full.withdraw + 15), Padded("WXYZ", 15));
    EXPECT_EQ(full.singles[7], 0x02);
    EXPECT_EQ(full.singles[8], 0x03);
    EXPECT_EQ(Bytes(full.prefix, full.prefix + 15), Padded("PR", 15));
    EXPECT_EQ(Bytes(full.suffix, full.suffix + 15), Padded("SUF", 15));

    // Ten data bytes reach into the withdraw text and no further.
    Outputs shortReply;
    EXPECT_EQ(Play(Reply(0x60, 'Y', Bytes(block.begin(), block.begin() + 10)),
                   [&](DeviceHandle h, int m) { return shortReply.GetIButtonParameter(h, m); }),
              ReaderOk);
    EXPECT_EQ(Bytes(shortReply.singles, shortReply.singles + 7),
              Bytes(block.begin(), block.begin() + 7));
    EXPECT_EQ(Bytes(shortReply.withdraw, shortReply.withdraw + 15), Padded("WXY", 15));
    EXPECT_EQ(shortReply.singles[7], 0x00);
    EXPECT_EQ(shortReply.singles[8], 0x00);
    EXPECT_EQ(Bytes(shortReply.prefix, shortReply.prefix + 15), Padded("", 15));
    EXPECT_EQ(Bytes(shortReply.suffix, shortReply.suffix + 15), Padded("", 15));
}

TEST_P(CommandReplyTest, SilentReaderFailsAfterTheTimeOutWithOutputsUntouched) {
    Outputs outputs;
    EXPECT_EQ(Play({},
                   [&](DeviceHandle h, int m) {
                       return CmdReadParameter(h, m, outputs.data, 256, &outputs.count, 300);
                   }),
              ReaderFailed);
    EXPECT_TRUE(outputs.Untouched());
}

INSTANTIATE_TEST_SUITE_P(Links, CommandReplyTest, kBothLinks, LinkName);

} // namespace
} // namespace reader_test
