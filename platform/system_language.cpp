#include "platform/system_language.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

struct LocaleId {
    const char* name; // language, or language_TERRITORY
    uint16_t id;
};

// For each language its main id comes first; a territory not listed falls
// back to it.
constexpr LocaleId kLocaleIds[] = {
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
    {"cs_CZ", 0x0405}, {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C},
    {"fr_LU", 0x140C}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_AR", 0x2C0A}, {"es_CL", 0x340A},
    {"es_CO", 0x240A}, {"es_US", 0x540A}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09},
    {"en_CA", 0x1009}, {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_IN", 0x4009}, {"de_DE", 0x0407},
    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"ja_JP", 0x0411},
    {"ko_KR", 0x0412}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"nb_NO", 0x0414}, {"pl_PL", 0x0415},
    {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"ru_RU", 0x0419}, {"sv_SE", 0x041D}, {"tr_TR", 0x041F},
    {"he_IL", 0x040D}, {"da_DK", 0x0406}, {"fi_FI", 0x040B}, {"el_GR", 0x0408}, {"hu_HU", 0x040E},
    {"uk_UA", 0x0422}, {"ar_SA", 0x0401}, {"sk_SK", 0x041B}, {"ro_RO", 0x0418}, {"bg_BG", 0x0402},
    {"hr_HR", 0x041A}, {"th_TH", 0x041E}, {"vi_VN", 0x042A}, {"id_ID", 0x0421},
};

// "ll" or "ll_TT" without codeset or modifier, language in lower case and
// territory in upper case.
std::string NormalisedLocale(std::string_view locale) {
    size_t end = locale.find_first_of(".@");
    if (end != std::string_view::npos)
        locale = locale.substr(0, end);
    std::string out;
    bool territory = false;
    for (char c : locale) {
        if (c == '_' || c == '-') {
            if (territory)
                break;
            territory = true;
            out += '_';
            continue;
        }
        unsigned char u = static_cast<unsigned char>(c);
        out += static_cast<char>(territory ? std::toupper(u) : std::tolower(u));
    }
    return out;
}

} // namespace

uint16_t LangIdFromLocaleName(std::string_view locale) {
    std::string wanted = NormalisedLocale(locale);
    for (const LocaleId& row : kLocaleIds)
        if (wanted == row.name)
            return row.id;
    std::string language = wanted.substr(0, wanted.find('_'));
    if (language.empty())
        return kLangEnglishUs;
    for (const LocaleId& row : kLocaleIds) {
        std::string_view name = row.name;
        if (name.substr(0, name.find('_')) == language)
            return row.id;
    }
    return kLangEnglishUs;
}

uint16_t SystemDefaultLangId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return LangIdFromLocaleName(value);
    }
    return kLangEnglishUs;
}

} // namespace platform
