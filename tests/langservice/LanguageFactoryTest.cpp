#include "langservice/LanguageFactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using LangService::GetLanguageOperation;

TEST(LanguageFactory, EachCodeGivesItsLanguageWithItsWindowsIdentifier) {
    const std::pair<std::u16string, std::uint16_t> languages[] = {
        {u"ru", 1049}, {u"en", 1033}, {u"it", 1040}, {u"hy", 1067},
        {u"cs", 1029}, {u"es", 3082}, {u"uk", 1058},
    };
    for (const auto& [code, id] : languages)
        EXPECT_EQ(GetLanguageOperation(code)->WindowsLanguageId(), id);
}

TEST(LanguageFactory, UnknownOrEmptyCodeFallsBackToRussian) {
    const auto russian = GetLanguageOperation(u"ru");
    EXPECT_EQ(GetLanguageOperation(u"de"), russian);
    EXPECT_EQ(GetLanguageOperation(u""), russian);
    // The lookup is exact: a regional code is not its language.
    EXPECT_EQ(GetLanguageOperation(u"en-us"), russian);
}

TEST(LanguageFactory, CodeIsLowerCasedBeforeTheLookup) {
    EXPECT_EQ(GetLanguageOperation(u"EN"), GetLanguageOperation(u"en"));
    EXPECT_EQ(GetLanguageOperation(u"Uk"), GetLanguageOperation(u"uk"));
    EXPECT_EQ(GetLanguageOperation(u"EN")->WindowsLanguageId(), 1033);
}

TEST(LanguageFactory, RepeatedRequestsShareOneObjectPerLanguage) {
    const auto first = GetLanguageOperation(u"cs");
    const auto second = GetLanguageOperation(u"cs");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_NE(first.get(), GetLanguageOperation(u"es").get());
}
