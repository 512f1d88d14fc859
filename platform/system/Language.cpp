#include "platform/system/Language.h"

#include <atomic>
#include <cstdlib>
#include <string>

namespace {
struct LocaleRow {
    const char* name; // language, or language_COUNTRY
    LANGID id;
};

// The languages a city directory is used in, with their common countries. A bare
// language takes the sublanguage Windows uses as its default.
constexpr LocaleRow kLocales[] = {
    {"ru", 1049},    {"ru_RU", 1049}, {"ru_UA", 8217},  {"ru_MD", 2073},  {"en", 1033},    {"en_US", 1033},
    {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105},  {"en_NZ", 5129},  {"en_IE", 6153},  {"en_ZA", 7177},
    {"uk", 1058},    {"uk_UA", 1058}, {"cs", 1029},     {"cs_CZ", 1029},  {"it", 1040},    {"it_IT", 1040},
    {"it_CH", 2064}, {"es", 3082},    {"es_ES", 3082},  {"es_MX", 2058},  {"es_AR", 11274}, {"es_US", 21514},
    {"de", 1031},    {"de_DE", 1031}, {"de_AT", 3079},  {"de_CH", 2055},  {"fr", 1036},    {"fr_FR", 1036},
    {"fr_BE", 2060}, {"fr_CA", 3084}, {"fr_CH", 4108},  {"pl", 1045},     {"pl_PL", 1045}, {"be", 1059},
    {"be_BY", 1059}, {"kk", 1087},    {"kk_KZ", 1087},  {"hy", 1067},     {"hy_AM", 1067}, {"sk", 1051},
    {"sk_SK", 1051}, {"pt", 2070},    {"pt_PT", 2070},  {"pt_BR", 1046},  {"nl", 1043},    {"nl_NL", 1043},
    {"lv", 1062},    {"lv_LV", 1062}, {"lt", 1063},     {"lt_LT", 1063},  {"et", 1061},    {"et_EE", 1061},
    {"ka", 1079},    {"ka_GE", 1079}, {"az", 1068},     {"tr", 1055},     {"tr_TR", 1055}, {"zh", 2052},
    {"zh_CN", 2052}, {"ja", 1041},    {"ja_JP", 1041},
};

LANGID FromEnvironment() {
    for (const char* var : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (!value || !*value) continue;
        std::string_view list(value);
        // LANGUAGE may list several names separated by colons; the first known one counts.
        while (!list.empty()) {
            const auto colon = list.find(':');
            if (LANGID id = zsys::LangIdFromLocaleName(list.substr(0, colon))) return id;
            if (colon == std::string_view::npos) break;
            list.remove_prefix(colon + 1);
        }
    }
    return 1033;
}

LANGID DefaultLanguage() {
    static const LANGID id = FromEnvironment();
    return id;
}

thread_local LANGID t_uiLanguage = 0;
thread_local LCID t_locale = 0;
std::atomic<DWORD> g_osMajor{10};
std::atomic<DWORD> g_osMinor{0};
} // namespace

namespace zsys {
LANGID LangIdFromLocaleName(std::string_view name) {
    // "en_GB.UTF-8@euro": the codeset and modifier do not choose the language.
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "C" || name == "POSIX") return 1033;
    std::string key(name);
    for (char& c : key)
        if (c == '-') c = '_';
    for (const LocaleRow& row : kLocales)
        if (key == row.name) return row.id;
    // A known language with a country of its own that the table lacks: the
    // language's default sublanguage.
    const auto underscore = key.find('_');
    if (underscore != std::string::npos) {
        const std::string language = key.substr(0, underscore);
        for (const LocaleRow& row : kLocales)
            if (language == row.name) return row.id;
    }
    return 0;
}
} // namespace zsys

extern "C" {
LANGID GetThreadUILanguage() { return t_uiLanguage ? t_uiLanguage : DefaultLanguage(); }
void SetThreadUILanguage(LANGID language) { t_uiLanguage = language; }
LCID GetThreadLocale() { return t_locale ? t_locale : DefaultLanguage(); }
void SetThreadLocale(LCID locale) { t_locale = locale; }
DWORD GetOsMajorVersion() { return g_osMajor.load(); }
void SetOsVersion(DWORD major, DWORD minor) {
    g_osMajor = major;
    g_osMinor = minor;
}
}
