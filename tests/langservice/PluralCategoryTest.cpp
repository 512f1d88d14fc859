#include "langservice/LanguageFactory.h"

#include <gtest/gtest.h>

#include <climits>

using LangService::GetLanguageOperation;
using LangService::PluralCategory;

namespace {

PluralCategory CategoryOf(const char16_t* code, int count) {
    return GetLanguageOperation(code)->PluralCategory(count);
}

} // namespace

TEST(PluralCategory, EastSlavic_OneFewManyFollowTheLastDigits) {
    for (const char16_t* code : {u"ru", u"uk"}) {
        SCOPED_TRACE(code[0] == u'r' ? "ru" : "uk");
        EXPECT_EQ(CategoryOf(code, 1), PluralCategory::One);
        EXPECT_EQ(CategoryOf(code, 21), PluralCategory::One);
        EXPECT_EQ(CategoryOf(code, 101), PluralCategory::One);
        EXPECT_EQ(CategoryOf(code, 2), PluralCategory::Few);
        EXPECT_EQ(CategoryOf(code, 4), PluralCategory::Few);
        EXPECT_EQ(CategoryOf(code, 22), PluralCategory::Few);
        EXPECT_EQ(CategoryOf(code, 0), PluralCategory::Many);
        EXPECT_EQ(CategoryOf(code, 5), PluralCategory::Many);
        EXPECT_EQ(CategoryOf(code, 20), PluralCategory::Many);
        EXPECT_EQ(CategoryOf(code, 112), PluralCategory::Many);
    }
}

TEST(PluralCategory, EastSlavic_ElevenToFourteenAreMany) {
    for (int count : {11, 12, 13, 14, 111, 211, 1014}) {
        EXPECT_EQ(CategoryOf(u"ru", count), PluralCategory::Many) << count;
        EXPECT_EQ(CategoryOf(u"uk", count), PluralCategory::Many) << count;
    }
}

TEST(PluralCategory, EastSlavic_NegativeCountsAreReadAsUnsigned) {
    // -1 is 4294967295, -2 is 4294967294, -21 is 4294967275.
    EXPECT_EQ(CategoryOf(u"ru", -1), PluralCategory::Many);
    EXPECT_EQ(CategoryOf(u"ru", -2), PluralCategory::Few);
    EXPECT_EQ(CategoryOf(u"ru", -21), PluralCategory::Many);
    EXPECT_EQ(CategoryOf(u"uk", -5), PluralCategory::One);       // 4294967291
    EXPECT_EQ(CategoryOf(u"ru", INT_MIN), PluralCategory::Many); // 2147483648
}

TEST(PluralCategory, Czech_OneFewAndOtherWithSignedComparison) {
    EXPECT_EQ(CategoryOf(u"cs", 1), PluralCategory::One);
    EXPECT_EQ(CategoryOf(u"cs", 2), PluralCategory::Few);
    EXPECT_EQ(CategoryOf(u"cs", 4), PluralCategory::Few);
    EXPECT_EQ(CategoryOf(u"cs", 5), PluralCategory::Other);
    EXPECT_EQ(CategoryOf(u"cs", 0), PluralCategory::Other);
    EXPECT_EQ(CategoryOf(u"cs", 21), PluralCategory::Other);
    EXPECT_EQ(CategoryOf(u"cs", -1), PluralCategory::Other);
    EXPECT_EQ(CategoryOf(u"cs", -3), PluralCategory::Other);
}

TEST(PluralCategory, OneOtherLanguages_OnlyExactlyOneIsOne) {
    for (const char16_t* code : {u"en", u"it", u"hy", u"es"}) {
        EXPECT_EQ(CategoryOf(code, 1), PluralCategory::One);
        for (int count : {0, 2, 5, 11, 21, 101, -1})
            EXPECT_EQ(CategoryOf(code, count), PluralCategory::Other) << count;
    }
}
