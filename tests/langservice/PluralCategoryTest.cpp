#include "langservice/LanguageFactory.h"

#include <gtest/gtest.h>

#include <climits>

using LangService::GetLanguageOperation;
using LangService::PluralCategory;

namespace {

constexpr auto One = PluralCategory::One, Few = PluralCategory::Few, Many = PluralCategory::Many,
               Other = PluralCategory::Other;

// The category of each count under each of the three rules: East Slavic (ru, uk) reads the
// count as unsigned (-1 as 4294967295, -2 as 4294967294, -5 as 4294967291, INT_MIN as
// 2147483648) and looks at its last digits; Czech compares it signed; the others (en, it,
// hy, es) have one for exactly 1 and other for the rest, millions too, where some
// libraries say many.
struct Counted {
    int count;
    PluralCategory eastSlavic, czech, oneOther;
};

constexpr Counted kCounts[] = {
    {0, Many, Other, Other},       {1, One, One, One},         {2, Few, Few, Other},
    {3, Few, Few, Other},          {4, Few, Few, Other},       {5, Many, Other, Other},
    {11, Many, Other, Other},      {12, Many, Other, Other},   {14, Many, Other, Other},
    {20, Many, Other, Other},      {21, One, Other, Other},    {22, Few, Other, Other},
    {101, One, Other, Other},      {111, Many, Other, Other},  {112, Many, Other, Other},
    {211, Many, Other, Other},     {1014, Many, Other, Other}, {1000000, Many, Other, Other},
    {3000000, Many, Other, Other}, {-1, Many, Other, Other},   {-2, Few, Other, Other},
    {-3, Few, Other, Other},       {-5, One, Other, Other},    {-21, Many, Other, Other},
    {INT_MIN, Many, Other, Other},
};

} // namespace

TEST(PluralCategory, EveryLanguageFollowsItsRule) {
    for (const auto& [count, eastSlavic, czech, oneOther] : kCounts) {
        SCOPED_TRACE(count);
        for (const char16_t* code : {u"ru", u"uk"})
            EXPECT_EQ(GetLanguageOperation(code)->PluralCategory(count), eastSlavic)
                << std::string(code, code + 2);
        EXPECT_EQ(GetLanguageOperation(u"cs")->PluralCategory(count), czech);
        for (const char16_t* code : {u"en", u"it", u"hy", u"es"})
            EXPECT_EQ(GetLanguageOperation(code)->PluralCategory(count), oneOther)
                << std::string(code, code + 2);
    }
}
