#include "langservice/PluralForms.h"

#include "langservice/LanguageFactory.h"
#include "langservice/UnicoreException.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

using LangService::GetLanguageOperation;
using LangService::GetPluralForm;
using LangService::KeywordToCategory;
using LangService::ParsePluralForms;
using LangService::PluralCategory;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {

using Forms = std::map<PluralCategory, std::u16string>;

// Text 260 of the string tables, the forms of the noun "note".
constexpr char16_t kEnglish[] = u"{\"one\":\"note\",\"other\":\"notes\"}";
constexpr char16_t kRussian[] = u"{\"one\":\"заметка\",\"few\":\"заметки\",\"many\":\"заметок\"}";
constexpr char16_t kCzech[] = u"{\"one\":\"poznámka\",\"few\":\"poznámky\",\"other\":\"poznámek\"}";
constexpr char16_t kItalian[] = u"{\"one\":\"nota\",\"other\":\"note\"}";
constexpr char16_t kSpanish[] = u"{\"one\":\"nota\",\"other\":\"notas\"}";

std::u16string Form(const char16_t* code, int count, std::u16string_view forms) {
    return GetPluralForm(*GetLanguageOperation(code), count, forms);
}

} // namespace

TEST(KeywordToCategory, SixKeywordsMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(KeywordToCategory(u"zero"), PluralCategory::Zero);
    EXPECT_EQ(KeywordToCategory(u"one"), PluralCategory::One);
    EXPECT_EQ(KeywordToCategory(u"two"), PluralCategory::Two);
    EXPECT_EQ(KeywordToCategory(u"few"), PluralCategory::Few);
    EXPECT_EQ(KeywordToCategory(u"many"), PluralCategory::Many);
    EXPECT_EQ(KeywordToCategory(u"other"), PluralCategory::Other);
    for (const char16_t* word : {u"One", u"ones", u"", u"one "})
        EXPECT_THAT([&] { KeywordToCategory(word); },
                    ThrowsMessage<unicore::exception>(StrEq("Invalid argument for plural category")));
}

TEST(ParsePluralForms, ReadsTheFormsOfEveryCategory) {
    EXPECT_EQ(ParsePluralForms(kRussian), (Forms{{PluralCategory::One, u"заметка"},
                                                 {PluralCategory::Few, u"заметки"},
                                                 {PluralCategory::Many, u"заметок"}}));
    EXPECT_EQ(ParsePluralForms(u" {\t\"zero\" : \"a\",\r\n \"two\":\"b\" } "),
              (Forms{{PluralCategory::Zero, u"a"}, {PluralCategory::Two, u"b"}}));
    EXPECT_TRUE(ParsePluralForms(u"").empty());
    EXPECT_TRUE(ParsePluralForms(u" {} ").empty());
}

TEST(ParsePluralForms, LaterKeyForTheSameCategoryReplacesTheEarlier) {
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"a\",\"one\":\"b\"}"), (Forms{{PluralCategory::One, u"b"}}));
}

TEST(ParsePluralForms, TextAfterTheClosingBraceIsStillRead) {
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"a\"},\"many\":\"b\""),
              (Forms{{PluralCategory::One, u"a"}, {PluralCategory::Many, u"b"}}));
    // Nor does a pair need braces at all.
    EXPECT_EQ(ParsePluralForms(u",\"few\":\"c\""), (Forms{{PluralCategory::Few, u"c"}}));
}

TEST(ParsePluralForms, EscapesAreKeptWithTheirBackslash) {
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"a\\\"b\"}"), (Forms{{PluralCategory::One, u"a\\\"b"}}));
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"x\\\\\"}"), (Forms{{PluralCategory::One, u"x\\\\"}}));
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"line\\n\"}"), (Forms{{PluralCategory::One, u"line\\n"}}));
}

TEST(ParsePluralForms, PairsWithAnEmptyKeyOrFormAreSkipped) {
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"\",\"other\":\"b\"}"), (Forms{{PluralCategory::Other, u"b"}}));
    EXPECT_EQ(ParsePluralForms(u"{\"\":\"a\",\"other\":\"b\"}"), (Forms{{PluralCategory::Other, u"b"}}));
    // The key is never looked up, so even an unknown one passes.
    EXPECT_TRUE(ParsePluralForms(u"{\"bogus\":\"\"}").empty());
}

TEST(ParsePluralForms, UnclosedTextReadsAsEmpty) {
    EXPECT_TRUE(ParsePluralForms(u"{\"one\":\"note").empty());
    EXPECT_TRUE(ParsePluralForms(u"{\"one\":\"note\\\"}").empty());
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"a\",\"few\":\"b"), (Forms{{PluralCategory::One, u"a"}}));
}

TEST(ParsePluralForms, QuotedTextOutsideAKeyOrValuePlaceIsIgnored) {
    // After a pair is stored, neither a key nor a value is expected until the next comma.
    EXPECT_EQ(ParsePluralForms(u"{\"one\":\"a\" \"b\" \"c\"}"), (Forms{{PluralCategory::One, u"a"}}));
    EXPECT_TRUE(ParsePluralForms(u"\"one\":\"a\"").empty());
}

TEST(ParsePluralForms, UnknownKeywordIsRejectedOnceItHasAForm) {
    EXPECT_THAT([] { ParsePluralForms(u"{\"one\":\"a\",\"several\":\"b\"}"); },
                ThrowsMessage<unicore::exception>(StrEq("Invalid argument for plural category")));
}

TEST(ParsePluralForms, AnOpeningBraceOnlyStartsANewPair) {
    // An object in value place is not nested: its pairs count as the outer ones.
    EXPECT_EQ(ParsePluralForms(u"{\"one\":{\"few\":\"b\"}}"), (Forms{{PluralCategory::Few, u"b"}}));
}

TEST(ParsePluralForms, NumbersArraysAndBareWordsAreInvalid) {
    for (const char16_t* forms : {u"{\"one\":1}", u"{\"one\":-1}", u"{\"one\":[\"a\"]}", u"{one:\"a\"}",
                                  u"{\"one\":\"a\";}", u"\u00A0{}"})
        EXPECT_THAT([&] { ParsePluralForms(forms); },
                    ThrowsMessage<unicore::exception>(StrEq("Invalid JSON")));
}

TEST(GetPluralForm, EnglishNote) {
    EXPECT_EQ(Form(u"en", 1, kEnglish), u"note");
    for (int count : {0, 2, 5, -1})
        EXPECT_EQ(Form(u"en", count, kEnglish), u"notes") << count;
}

TEST(GetPluralForm, RussianAndUkrainianNote) {
    for (const char16_t* code : {u"ru", u"uk"}) {
        EXPECT_EQ(Form(code, 1, kRussian), u"заметка");
        EXPECT_EQ(Form(code, 3, kRussian), u"заметки");
        EXPECT_EQ(Form(code, 5, kRussian), u"заметок");
        EXPECT_EQ(Form(code, 11, kRussian), u"заметок");
        EXPECT_EQ(Form(code, 21, kRussian), u"заметка");
        EXPECT_EQ(Form(code, 22, kRussian), u"заметки");
        EXPECT_EQ(Form(code, 112, kRussian), u"заметок");
        EXPECT_EQ(Form(code, 0, kRussian), u"заметок");
    }
}

TEST(GetPluralForm, CzechItalianAndSpanishNote) {
    EXPECT_EQ(Form(u"cs", 1, kCzech), u"poznámka");
    EXPECT_EQ(Form(u"cs", 4, kCzech), u"poznámky");
    EXPECT_EQ(Form(u"cs", 5, kCzech), u"poznámek");
    EXPECT_EQ(Form(u"cs", 0, kCzech), u"poznámek");
    EXPECT_EQ(Form(u"it", 1, kItalian), u"nota");
    EXPECT_EQ(Form(u"it", 7, kItalian), u"note");
    EXPECT_EQ(Form(u"es", 1, kSpanish), u"nota");
    EXPECT_EQ(Form(u"es", 0, kSpanish), u"notas");
}

TEST(GetPluralForm, MissingCategoryIsAnError) {
    // A Russian count needs few or many, which English forms do not have.
    EXPECT_EQ(Form(u"ru", 1, kEnglish), u"note");
    for (int count : {2, 5})
        EXPECT_THAT([&] { Form(u"ru", count, kEnglish); },
                    ThrowsMessage<unicore::exception>(StrEq("invalid plural category")));
    // Russian forms have no "other", which English counts other than 1 need.
    EXPECT_THAT([] { Form(u"en", 2, kRussian); },
                ThrowsMessage<unicore::exception>(StrEq("invalid plural category")));
}

TEST(GetPluralForm, ParseErrorsReachTheCaller) {
    EXPECT_THAT([] { Form(u"en", 1, u"{\"one\":1}"); },
                ThrowsMessage<unicore::exception>(StrEq("Invalid JSON")));
}
