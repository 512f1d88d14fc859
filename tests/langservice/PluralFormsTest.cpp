#include "langservice/PluralForms.h"

#include "langservice/LanguageFactory.h"
#include "langservice/UnicoreException.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using LangService::GetLanguageOperation;
using LangService::GetPluralForm;
using LangService::KeywordToCategory;
using LangService::ParsePluralForms;
using LangService::PluralCategory;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {

using Forms = std::map<PluralCategory, std::u16string>;
constexpr auto Zero = PluralCategory::Zero, One = PluralCategory::One, Two = PluralCategory::Two,
               Few = PluralCategory::Few, Many = PluralCategory::Many, Other = PluralCategory::Other;

// Text 260 of the English and Russian string tables, the forms of the noun "note".
constexpr char16_t kEnglish[] = u"{\"one\":\"note\",\"other\":\"notes\"}";
constexpr char16_t kRussian[] = u"{\"one\":\"заметка\",\"few\":\"заметки\",\"many\":\"заметок\"}";

} // namespace

TEST(ParsePluralForms, ReadsEachPairAsTheCursorMeetsIt) {
    const std::pair<std::u16string_view, Forms> cases[] = {
        {kRussian, {{One, u"заметка"}, {Few, u"заметки"}, {Many, u"заметок"}}},
        {u" {\t\"zero\" : \"a\",\r\n \"two\":\"b\" } ", {{Zero, u"a"}, {Two, u"b"}}},
        {u"", {}},
        {u" {} ", {}},
        // A later key for the same category replaces the earlier.
        {u"{\"one\":\"a\",\"one\":\"b\"}", {{One, u"b"}}},
        // Text after the closing brace is still read, and a pair needs no braces.
        {u"{\"one\":\"a\"},\"many\":\"b\"", {{One, u"a"}, {Many, u"b"}}},
        {u",\"few\":\"c\"", {{Few, u"c"}}},
        // Escapes are kept with their backslash.
        {u"{\"one\":\"a\\\"b\",\"few\":\"x\\\\\",\"many\":\"line\\n\"}",
         {{One, u"a\\\"b"}, {Few, u"x\\\\"}, {Many, u"line\\n"}}},
        // Pairs with an empty key or form are skipped; the key of an empty form is never looked up.
        {u"{\"one\":\"\",\"\":\"a\",\"other\":\"b\"}", {{Other, u"b"}}},
        {u"{\"bogus\":\"\"}", {}},
        // Unclosed text reads as empty.
        {u"{\"one\":\"note", {}},
        {u"{\"one\":\"note\\\"}", {}},
        {u"{\"one\":\"a\",\"few\":\"b", {{One, u"a"}}},
        // After a stored pair neither a key nor a form is expected until the next comma.
        {u"{\"one\":\"a\" \"b\" \"c\"}", {{One, u"a"}}},
        {u"\"one\":\"a\"", {}},
        // An object in the place of a form is not nested: its pairs count as the outer ones.
        {u"{\"one\":{\"few\":\"b\"}}", {{Few, u"b"}}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ParsePluralForms(cases[i].first), cases[i].second) << "case " << i;
}

// The six keywords themselves are read by the forms' parser above; only they, exactly as written.
TEST(ParsePluralForms, NumbersArraysBareWordsAndUnknownKeywordsAreRejected) {
    for (const char16_t* forms : {u"{\"one\":1}", u"{\"one\":-1}", u"{\"one\":[\"a\"]}", u"{one:\"a\"}",
                                  u"{\"one\":\"a\";}", u"\u00A0{}"})
        EXPECT_THAT([&] { ParsePluralForms(forms); },
                    ThrowsMessage<unicore::exception>(StrEq("Invalid JSON")));
    EXPECT_THAT([] { ParsePluralForms(u"{\"one\":\"a\",\"several\":\"b\"}"); },
                ThrowsMessage<unicore::exception>(StrEq("Invalid argument for plural category")));
    for (const char16_t* word : {u"One", u"ones", u"", u"one "})
        EXPECT_THAT([&] { KeywordToCategory(word); },
                    ThrowsMessage<unicore::exception>(StrEq("Invalid argument for plural category")));
}

// The form of each count's category, in every interface language, is seen in the settings' counted
// messages through the host.
TEST(GetPluralForm, MissingCategoryAndParseErrorsReachTheCaller) {
    // A Russian count needs few or many, which English forms do not have.
    EXPECT_EQ(GetPluralForm(*GetLanguageOperation(u"ru"), 1, kEnglish), u"note");
    for (int count : {2, 5})
        EXPECT_THAT([&] { GetPluralForm(*GetLanguageOperation(u"ru"), count, kEnglish); },
                    ThrowsMessage<unicore::exception>(StrEq("invalid plural category")));
    // Russian forms have no "other", which English counts other than 1 need.
    EXPECT_THAT([] { GetPluralForm(*GetLanguageOperation(u"en"), 2, kRussian); },
                ThrowsMessage<unicore::exception>(StrEq("invalid plural category")));
    EXPECT_THAT([] { GetPluralForm(*GetLanguageOperation(u"en"), 1, u"{\"one\":1}"); },
                ThrowsMessage<unicore::exception>(StrEq("Invalid JSON")));
}
