#include "platform/system_language.h"
#include "tests/platform/test_folder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(SystemLanguage, LocaleNamesMapToLanguageIds) {
    struct Case {
        const char* locale;
        uint16_t id;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK.UTF-8", 0x0C04},
        {"cs_CZ.UTF-8", 0x0405}, {"cs", 0x0405},    {"fr_FR@euro", 0x040C},
        {"es_ES.UTF-8", 0x0C0A}, {"en_US", 0x0409}, {"en_GB.UTF-8", 0x0809},
        {"de_DE", 0x0407},       {"fr_CA", 0x0C0C}, {"zh_XX", 0x0804}, // unknown territory
        {"ZH_cn", 0x0804},       {"C", 0x0409},     {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},     {"", 0x0409},      {"xx_YY", 0x0409},
        {"_CN", 0x0409},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::LangIdFromLocaleName(c.locale), c.id) << c.locale;
}

class SystemLanguageEnv : public ::testing::Test {
protected:
    void SetUp() override {
        for (test_support::ScopedEnv* variable : {&m_all, &m_messages, &m_lang})
            variable->Set(nullptr);
    }

    test_support::ScopedEnv m_all{"LC_ALL"};
    test_support::ScopedEnv m_messages{"LC_MESSAGES"};
    test_support::ScopedEnv m_lang{"LANG"};
};

TEST_F(SystemLanguageEnv, FirstNonEmptyVariableWins) {
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0409);
    m_lang.Set("cs_CZ.UTF-8");
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0405);
    m_messages.Set("zh_TW.UTF-8");
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0404);
    m_all.Set("");
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0404);
    m_all.Set("es_ES.UTF-8");
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0C0A);
}

} // namespace
