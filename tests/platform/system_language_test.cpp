#include "platform/system_language.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

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
        for (const char* v : kVariables) {
            const char* value = std::getenv(v);
            m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(v);
        }
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(kVariables); ++i) {
            if (m_saved[i])
                setenv(kVariables[i], m_saved[i]->c_str(), 1);
            else
                unsetenv(kVariables[i]);
        }
    }
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> m_saved;
};

TEST_F(SystemLanguageEnv, FirstNonEmptyVariableWins) {
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0409);
    setenv("LANG", "cs_CZ.UTF-8", 1);
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0405);
    setenv("LC_MESSAGES", "zh_TW.UTF-8", 1);
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0404);
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0404);
    setenv("LC_ALL", "es_ES.UTF-8", 1);
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0C0A);
}

} // namespace
