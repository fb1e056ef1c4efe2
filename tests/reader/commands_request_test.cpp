// The exact request bytes of every command, received by the reader's end of
// a real link, over COM and over HID.

#include "reader/commands.h"
#include "tests/reader/commands_fixture.h"

#include <gtest/gtest.h>

namespace reader_test {
namespace {

using Call = std::function<int(DeviceHandle, int)>;

struct RequestCase {
    const char* name;
    Call call;
    Bytes request;
};

const SentinelString kStrings[6] = {{1, {'%', 0, 0, 0}},       {1, {'?', 0, 0, 0}},
                                    {2, {';', ';', 0, 0}},     {1, {'?', 0, 0, 0}},
                                    {4, {'+', 'a', 'b', 'c'}}, {0, {0, 0, 0, 0}}};
const Bytes kStringBytes = {1, '%', 0, 0, 0, 1, '?', 0,   0,   0,   2, ';', ';', 0, 0,
                            1, '?', 0, 0, 0, 4, '+', 'a', 'b', 'c', 0, 0,   0,   0, 0};

uint8_t out8[16];
uint8_t buffer[200];
int count;

int OutputTrack(DeviceHandle h, int mode, int t1, int t2, int t3, uint8_t sentinelMode) {
    return CmdSetOutputTrack(h, mode, '%', '?', ';', '?', '+', '?', t1, t2, t3, 0x58, sentinelMode,
                             &kStrings[0], &kStrings[1], &kStrings[2], &kStrings[3], &kStrings[4],
                             &kStrings[5]);
}

int ApplyOption(DeviceHandle h, int mode, int deviceId, uint8_t sentinelMode) {
    return CmdApplyOption(h, mode, 0x0B, '%', '?', ';', '?', '+', '?', 0x07, 0x2B, 0x03, 0x0A, 0x1F,
                          0x02, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, deviceId, 0xC8, sentinelMode,
                          &kStrings[0], &kStrings[1], &kStrings[2], &kStrings[3], &kStrings[4],
                          &kStrings[5]);
}

int DataFilter(DeviceHandle h, int mode, uint8_t filterMode) {
    return CmdSetDataFilter(h, mode, filterMode, 1, 0x41, 0, 0x42, 1, 0x43, 0, 0x44, 1, 0x45, 0,
                            0x46);
}

const uint8_t kFifteen[] = "ABCDEFGHIJKLMNO";

const RequestCase kCases[] = {
    {"keyboard type",
     [](DeviceHandle h, int m) { return CmdSetKeyboardType(h, m, 0x31); },
     {0x00, 0x02, 0x20, 0x31}},
    {"detect device",
     [](DeviceHandle h, int m) { return CmdDetectDevice(h, m, buffer, sizeof buffer, 1000); },
     {0x00, 0x01, 0x30}},
    {"interface 3, format 1, mode bit 1",
     [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 3, 1, 1); },
     {0x00, 0x02, 0x31, 0x1B}},
    {"interface 0, format 2",
     [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 0, 2, 0); },
     {0x00, 0x02, 0x31, 0x00}},
    {"interface 4 sends no code",
     [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 4, 1, 0); },
     {0x00, 0x02, 0x31, 0x08}},
    {"output track", [](DeviceHandle h, int m) { return OutputTrack(h, m, 1, 0, 7, 1); },
     Cat({{0x00, 0x28, 0x32, '%', '?', ';', '?', '+', '?', 0x05, 0x58, 0x01}, kStringBytes})},
    {"buzzer at 100",
     [](DeviceHandle h, int m) { return CmdSetBuzzer(h, m, 1, 0, 100); },
     {0x00, 0x03, 0x34, 0x01, 0x64}},
    {"buzzer failure beep",
     [](DeviceHandle h, int m) { return CmdSetBuzzer(h, m, 0, 9, 255); },
     {0x00, 0x03, 0x34, 0x02, 0xFF}},
    {"speed", [](DeviceHandle h, int m) { return CmdSetSpeed(h, m, 7); }, {0x00, 0x02, 0x36, 0x07}},
    {"data filter, range mode marks",
     [](DeviceHandle h, int m) { return DataFilter(h, m, 2); },
     {0x00, 0x08, 0x37, 0x02, 0xC1, 0x42, 0xC3, 0x44, 0xC5, 0x46}},
    {"data filter, other mode does not",
     [](DeviceHandle h, int m) { return DataFilter(h, m, 3); },
     {0x00, 0x08, 0x37, 0x03, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46}},
    {"decoding",
     [](DeviceHandle h, int m) { return CmdSetDecoding(h, m, 1, 0, 5, 0, 1); },
     {0x00, 0x02, 0x38, 0x15}},
    {"device id",
     [](DeviceHandle h, int m) { return CmdSetDeviceId(h, m, 0x1234); },
     {0x00, 0x03, 0x39, 0x12, 0x34}},
    {"device id keeps 16 bits",
     [](DeviceHandle h, int m) { return CmdSetDeviceId(h, m, 0x7ABCD); },
     {0x00, 0x03, 0x39, 0xAB, 0xCD}},
    {"apply option", [](DeviceHandle h, int m) { return ApplyOption(h, m, 0x1234, 0xFF); },
     Cat({{0x00, 0x36, 0x3D, 0x0B, '%',  '?',  ';',  '?',  '+',  '?',  0x07, 0x2B, 0x03,
           0x0A, 0x1F, 0x02, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x12, 0x34, 0xC8, 0xFF},
          kStringBytes})},
    {"clear cache",
     [](DeviceHandle h, int m) { return CmdClearCache(h, m); },
     {0x00, 0x02, 0x3E, 0x00}},
    {"restore default",
     [](DeviceHandle h, int m) { return CmdRestoreDefault(h, m); },
     {0x00, 0x02, 0x3F, 0x00}},
    {"read parameter",
     [](DeviceHandle h, int m) {
         return CmdReadParameter(h, m, buffer, sizeof buffer, &count, 1000);
     },
     {0x00, 0x01, 0x40}},
    {"get device id",
     [](DeviceHandle h, int m) { return CmdGetDeviceId(h, m, &out8[0], &out8[1], 1000); },
     {0x00, 0x01, 0x44}},
    {"iButton detect device",
     [](DeviceHandle h, int m) { return CmdIBtnDetectDevice(h, m, buffer, sizeof buffer); },
     {0x00, 0x01, 0x50}},
    {"iButton interface",
     [](DeviceHandle h, int m) { return CmdIBtnSetInterface(h, m, 0x03); },
     {0x00, 0x02, 0x51, 0x03}},
    {"iButton prefix and suffix",
     [](DeviceHandle h, int m) {
         return CmdIBtnSetPrefixSuffix(h, m, kFifteen, 2, kFifteen + 3, 3);
     },
     Cat({{0x00, 0x21, 0x52, 0x02}, Padded("AB", 15), {0x03}, Padded("DEF", 15)})},
    {"iButton end char",
     [](DeviceHandle h, int m) { return CmdIBtnSetEndChar(h, m, 0x58); },
     {0x00, 0x02, 0x53, 0x58}},
    {"iButton enable",
     [](DeviceHandle h, int m) { return CmdIBtnSetEnable(h, m, 0x07); },
     {0x00, 0x02, 0x54, 0x07}},
    {"iButton data filter",
     [](DeviceHandle h, int m) { return CmdIBtnSetDataFilter(h, m, 0x10, 0x20); },
     {0x00, 0x03, 0x57, 0x10, 0x20}},
    {"iButton withdraw of 15",
     [](DeviceHandle h, int m) { return CmdIBtnSetWithdraw(h, m, kFifteen, 15); },
     Cat({{0x00, 0x11, 0x58, 0x0F}, Padded("ABCDEFGHIJKLMNO", 15)})},
    {"iButton withdraw of 0",
     [](DeviceHandle h, int m) { return CmdIBtnSetWithdraw(h, m, kFifteen, 0); },
     Cat({{0x00, 0x11, 0x58, 0x00}, Padded("", 15)})},
    {"iButton apply option",
     [](DeviceHandle h, int m) {
         return CmdIBtnApplyOption(h, m, 0x01, 0x07, 0x2B, 0x30, 0x39, 4, kFifteen, 2, 15,
                                   kFifteen + 4, kFifteen);
     },
     Cat({{0x00, 0x37, 0x5D, 0x01, 0x07, 0x2B, 0x00, 0x30, 0x39, 0x04},
          Padded("ABCD", 15),
          {0x02, 0x0F},
          Padded("EF", 15),
          Padded("ABCDEFGHIJKLMNO", 15)})},
    {"iButton restore default",
     [](DeviceHandle h, int m) { return CmdIBtnRestoreDefault(h, m); },
     {0x00, 0x01, 0x5F}},
    {"iButton get parameter",
     [](DeviceHandle h, int m) {
         return CmdIBtnGetParameter(h, m, &out8[0], &out8[1], &out8[2], &out8[3], &out8[4],
                                    &out8[5], &out8[6], buffer, &out8[7], &out8[8], buffer + 16,
                                    buffer + 32, 1000);
     },
     {0x00, 0x01, 0x60}},
};

class CommandRequestTest : public ::testing::TestWithParam<int> {};

TEST_P(CommandRequestTest, EachCommandSendsItsRequestAndTakesAcceptedReply) {
    auto end = MakeReaderEnd(GetParam());
    ASSERT_FALSE(IsNoDevice(end->handle()));
    for (const RequestCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const Bytes accepted = {0x00, 0x02, c.request[2], 'Y'};
        const ExchangeRecord record = PlayExchange(
            *end, Framing::Len, accepted, [&] { return c.call(end->handle(), end->mode()); });
        EXPECT_EQ(record.request, c.request);
        EXPECT_EQ(record.result, ReaderOk);
    }
}

TEST_P(CommandRequestTest, CancelManualReadGoesOverHidWhateverTheLink) {
    auto end = MakeReaderEnd(GetParam());
    ASSERT_FALSE(IsNoDevice(end->handle()));
    if (GetParam() == TransportHid) {
        const ExchangeRecord record =
            PlayExchange(*end, Framing::Len, {0x00, 0x02, 0x3A, 'Y'},
                         [&] { return CmdCancelManualRead(end->handle()); });
        EXPECT_EQ(record.request, (Bytes{0x00, 0x02, 0x3A, 0x00}));
        EXPECT_EQ(record.result, ReaderOk);
    } else {
        EXPECT_EQ(CmdCancelManualRead(end->handle()), ReaderFailed);
        EXPECT_TRUE(end->Silent(100));
    }
}

INSTANTIATE_TEST_SUITE_P(Links, CommandRequestTest, kBothLinks, LinkName);

} // namespace
} // namespace reader_test
