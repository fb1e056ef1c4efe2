// The string table: both languages for every id, and the texts whose exact
// form other code relies on.

#include "res/resource.h"
#include "tests/res/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace res_test {
namespace {

using res::Language;
using res::LoadResString;

TEST(StringTable, EveryIdHasItsOwnTextInBothLanguages) {
    for (int id = 101; id <= 138; ++id) {
        SCOPED_TRACE(id);
        const std::string en = LoadResString(id, Language::English);
        const std::string zh = LoadResString(id, Language::Chinese);
        EXPECT_FALSE(en.empty());
        EXPECT_FALSE(zh.empty());
        EXPECT_NE(en, zh);
        EXPECT_TRUE(IsValidUtf8(en));
        EXPECT_TRUE(IsValidUtf8(zh));
    }
}

TEST(StringTable, UnknownIdsGiveEmptyText) {
    for (int id : {-1, 0, 100, 139, 1050}) {
        SCOPED_TRACE(id);
        EXPECT_STREQ(LoadResString(id, Language::English), "");
        EXPECT_STREQ(LoadResString(id, Language::Chinese), "");
    }
}

TEST(StringTable, TextsKeepTheirExactForm) {
    struct Case {
        int id;
        Language language;
        const char* text;
    };
    const Case cases[] = {
        // The caption joins 109 and the version text with nothing between.
        {109, Language::English, "device not conneted"},
        {109, Language::Chinese, "读卡器未连接   "},
        // The English "rn" are letters, the Chinese line breaks are real.
        {115, Language::English,
         "No devicern[1] was detected. Please confirm that the corresponding device is connected, "
         "and callrn[2] to confirm that the corresponding PID and VID are correct."},
        {115, Language::Chinese,
         "没有检测到设备\r\n[1] 请确认对应的设备，已经接好，并且上电\r\n[2] "
         "请确认对应的PID和VID是否正确"},
        {118, Language::English, "command executed successfully"},
        {118, Language::Chinese, "命令执行成功"},
        {119, Language::English, "command executed failed"},
        {119, Language::Chinese, "命令执行失败"},
        {123, Language::English, "please input hex data, such as (0A 0B）"},
        {135, Language::English,
         "Failed to open serial port \r\n[1] Please confirm whether the serial port is correct "
         "\r\n[2] Please confirm whether the serial port has been occupied."},
        {136, Language::Chinese, "透明传输"},
        {137, Language::English, "protocol mode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_STREQ(LoadResString(c.id, c.language), c.text);
    }
}

} // namespace
} // namespace res_test
