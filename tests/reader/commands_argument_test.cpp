// Arguments the commands refuse before anything is sent.

#include "reader/commands.h"
#include "tests/reader/commands_fixture.h"

#include <gtest/gtest.h>

namespace reader_test {
namespace {

using Call = std::function<int(DeviceHandle, int)>;

const SentinelString kString = {1, {'%', 0, 0, 0}};
const uint8_t kText[16] = "ABCDEFGHIJKLMNO";
uint8_t buffer[200];
uint8_t byteOut;
int count;

int OutputTrack(DeviceHandle h, int mode, uint8_t sentinelMode, const SentinelString* last) {
    return CmdSetOutputTrack(h, mode, '%', '?', ';', '?', '+', '?', 1, 1, 1, 0x58, sentinelMode,
                             &kString, &kString, &kString, &kString, &kString, last);
}

int IButtonApply(DeviceHandle h, int mode, uint8_t withdrawLength, const uint8_t* withdraw,
                 uint8_t prefixLength, const uint8_t* suffix) {
    return CmdIBtnApplyOption(h, mode, 0, 0, 0x58, 0, 0, withdrawLength, withdraw, prefixLength, 0,
                              kText, suffix);
}

struct RefusedCase {
    const char* name;
    Call call;
};

const RefusedCase kOwnChecks[] = {
    {"detect device, time-out 0",
     [](DeviceHandle h, int m) { return CmdDetectDevice(h, m, buffer, sizeof buffer, 0); }},
    {"read parameter, time-out 0",
     [](DeviceHandle h, int m) {
         return CmdReadParameter(h, m, buffer, sizeof buffer, &count, 0);
     }},
    {"read parameter, time-out -5",
     [](DeviceHandle h, int m) {
         return CmdReadParameter(h, m, buffer, sizeof buffer, &count, -5);
     }},
    {"interface, mode bit 2", [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 1, 0, 2); }},
    {"interface, mode bit -1 as unsigned",
     [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 1, 0, static_cast<unsigned>(-1)); }},
    {"output track, sentinel mode 2",
     [](DeviceHandle h, int m) { return OutputTrack(h, m, 2, &kString); }},
    {"output track, missing sentinel text",
     [](DeviceHandle h, int m) { return OutputTrack(h, m, 0, nullptr); }},
    {"buzzer at 99", [](DeviceHandle h, int m) { return CmdSetBuzzer(h, m, 1, 1, 99); }},
    {"device id, no first output",
     [](DeviceHandle h, int m) { return CmdGetDeviceId(h, m, nullptr, &byteOut, 1000); }},
    {"device id, no second output",
     [](DeviceHandle h, int m) { return CmdGetDeviceId(h, m, &byteOut, nullptr, 1000); }},
    {"prefix of 16",
     [](DeviceHandle h, int m) { return CmdIBtnSetPrefixSuffix(h, m, kText, 16, kText, 0); }},
    {"suffix of -1",
     [](DeviceHandle h, int m) { return CmdIBtnSetPrefixSuffix(h, m, kText, 0, kText, -1); }},
    {"no prefix",
     [](DeviceHandle h, int m) { return CmdIBtnSetPrefixSuffix(h, m, nullptr, 0, kText, 0); }},
    {"withdraw of 16", [](DeviceHandle h, int m) { return CmdIBtnSetWithdraw(h, m, kText, 16); }},
    {"no withdraw", [](DeviceHandle h, int m) { return CmdIBtnSetWithdraw(h, m, nullptr, 0); }},
    {"apply, no withdraw of length 0",
     [](DeviceHandle h, int m) { return IButtonApply(h, m, 0, nullptr, 0, kText); }},
    {"apply, no suffix",
     [](DeviceHandle h, int m) { return IButtonApply(h, m, 0, kText, 0, nullptr); }},
    {"apply, withdraw of 16",
     [](DeviceHandle h, int m) { return IButtonApply(h, m, 16, kText, 0, kText); }},
    {"apply, prefix of 255",
     [](DeviceHandle h, int m) { return IButtonApply(h, m, 0, kText, 255, kText); }},
};

// Every command, for the handle and mode tests.
const Call kEveryCommand[] = {
    [](DeviceHandle h, int m) { return CmdSetKeyboardType(h, m, 0); },
    [](DeviceHandle h, int m) { return CmdDetectDevice(h, m, buffer, sizeof buffer, 1000); },
    [](DeviceHandle h, int m) { return CmdSetInterface(h, m, 1, 1, 1); },
    [](DeviceHandle h, int m) { return OutputTrack(h, m, 0, &kString); },
    [](DeviceHandle h, int m) { return CmdSetBuzzer(h, m, 1, 1, 100); },
    [](DeviceHandle h, int m) { return CmdSetSpeed(h, m, 1); },
    [](DeviceHandle h, int m) {
        return CmdSetDataFilter(h, m, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    },
    [](DeviceHandle h, int m) { return CmdSetDecoding(h, m, 1, 1, 1, 1, 1); },
    [](DeviceHandle h, int m) { return CmdSetDeviceId(h, m, 1); },
    [](DeviceHandle h, int m) {
        return CmdApplyOption(h, m, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100,
                              0, &kString, &kString, &kString, &kString, &kString, &kString);
    },
    [](DeviceHandle h, int m) { return CmdClearCache(h, m); },
    [](DeviceHandle h, int m) { return CmdRestoreDefault(h, m); },
    [](DeviceHandle h, int m) {
        return CmdReadParameter(h, m, buffer, sizeof buffer, &count, 1000);
    },
    [](DeviceHandle h, int m) { return CmdGetDeviceId(h, m, &byteOut, &byteOut, 1000); },
    [](DeviceHandle h, int m) { return CmdIBtnDetectDevice(h, m, buffer, sizeof buffer); },
    [](DeviceHandle h, int m) { return CmdIBtnSetInterface(h, m, 0); },
    [](DeviceHandle h, int m) { return CmdIBtnSetPrefixSuffix(h, m, kText, 1, kText, 1); },
    [](DeviceHandle h, int m) { return CmdIBtnSetEndChar(h, m, 0); },
    [](DeviceHandle h, int m) { return CmdIBtnSetEnable(h, m, 0); },
    [](DeviceHandle h, int m) { return CmdIBtnSetDataFilter(h, m, 0, 0); },
    [](DeviceHandle h, int m) { return CmdIBtnSetWithdraw(h, m, kText, 1); },
    [](DeviceHandle h, int m) { return IButtonApply(h, m, 1, kText, 1, kText); },
    [](DeviceHandle h, int m) { return CmdIBtnRestoreDefault(h, m); },
    [](DeviceHandle h, int m) {
        uint8_t text[15];
        return CmdIBtnGetParameter(h, m, &byteOut, &byteOut, &byteOut, &byteOut, &byteOut, &byteOut,
                                   &byteOut, text, &byteOut, &byteOut, text, text, 1000);
    },
};

class CommandArgumentTest : public ::testing::TestWithParam<int> {};

TEST_P(CommandArgumentTest, RefusedArgumentsSendNothing) {
    auto end = MakeReaderEnd(GetParam());
    const DeviceHandle h = end->handle();
    ASSERT_FALSE(IsNoDevice(h));
    for (const RefusedCase& c : kOwnChecks)
        EXPECT_EQ(c.call(h, end->mode()), ReaderBadArgument) << c.name;
    int index = 0;
    for (const Call& call : kEveryCommand) {
        SCOPED_TRACE(index++);
        EXPECT_EQ(call(0, end->mode()), ReaderBadArgument);
        EXPECT_EQ(call(-1, end->mode()), ReaderBadArgument);
        EXPECT_EQ(call(h, TransportClosed), ReaderBadArgument);
        EXPECT_EQ(call(h, 2), ReaderBadArgument);
    }
    EXPECT_EQ(CmdCancelManualRead(0), ReaderBadArgument);
    EXPECT_EQ(CmdCancelManualRead(-1), ReaderBadArgument);
    EXPECT_TRUE(end->Silent(200));
}

INSTANTIATE_TEST_SUITE_P(Links, CommandArgumentTest, kBothLinks, LinkName);

} // namespace
} // namespace reader_test
