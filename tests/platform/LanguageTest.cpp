#include "platform/system/Language.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Language, LocaleNamesMapToWindowsLanguageIds) {
    EXPECT_EQ(zsys::LangIdFromLocaleName("en_GB.UTF-8"), 2057);
    EXPECT_EQ(zsys::LangIdFromLocaleName("en_US"), 1033);
    EXPECT_EQ(zsys::LangIdFromLocaleName("cs"), 1029) << "a bare language";
    EXPECT_EQ(zsys::LangIdFromLocaleName("es_ES@euro"), 3082);
    EXPECT_EQ(zsys::LangIdFromLocaleName("es_MX"), 2058);
    EXPECT_EQ(zsys::LangIdFromLocaleName("C.UTF-8"), 1033);
    EXPECT_EQ(zsys::LangIdFromLocaleName("ru_KZ"), 1049) << "an unlisted country keeps the language";
    EXPECT_EQ(zsys::LangIdFromLocaleName("xx_YY"), 0);
    EXPECT_EQ(zsys::LangIdFromLocaleName(""), 0);
}

TEST(Language, InterfaceLanguageIsPerThreadAndResettable) {
    const LANGID environment = GetThreadUILanguage();
    SetThreadUILanguage(1058);
    EXPECT_EQ(GetThreadUILanguage(), 1058);
    LANGID other = 0;
    std::thread([&] { other = GetThreadUILanguage(); }).join();
    EXPECT_EQ(other, environment);
    SetThreadUILanguage(0);
    EXPECT_EQ(GetThreadUILanguage(), environment);
}
