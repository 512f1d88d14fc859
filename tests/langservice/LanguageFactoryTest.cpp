// The language service's factory. The Windows identifiers of the six interface languages find the
// string tables of each, whose texts the host shows in every one of them.
#include "langservice/LanguageFactory.h"

#include <gtest/gtest.h>

using LangService::GetLanguageOperation;

TEST(LanguageFactory, ACodeIsLowerCasedAndLookedUpExactlyElseRussianOneObjectPerLanguage) {
    EXPECT_EQ(GetLanguageOperation(u"hy")->WindowsLanguageId(), 1067) << "the language no interface has";
    EXPECT_EQ(GetLanguageOperation(u"EN"), GetLanguageOperation(u"en"));
    EXPECT_EQ(GetLanguageOperation(u"Uk")->WindowsLanguageId(), 1058);
    EXPECT_NE(GetLanguageOperation(u"cs"), GetLanguageOperation(u"es"));
    // The lookup is exact: a regional code is not its language.
    for (const char16_t* unknown : {u"de", u"", u"en-us"})
        EXPECT_EQ(GetLanguageOperation(unknown), GetLanguageOperation(u"ru"));
}
