#include "langservice/LanguageOperation.h"
#include "langservice/IcuLocale.h"
#include "langservice/LangSpecEN.h"
#include "langservice/LanguageFactory.h"
#include "langservice/UnicoreException.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <limits>
#include <memory>
#include <string>

using LangService::GetLanguageOperation;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {

constexpr double kJanuary5th2024 = 45296;
constexpr double kMarch1st2024 = 45352;

std::u16string Date(const char16_t* code, double date, int monthOnly = 0) {
    return GetLanguageOperation(code)->FormatDate(date, monthOnly);
}

int Compare(const char16_t* code, char16_t a, char16_t b) {
    return GetLanguageOperation(code)->CompareChars(a, b);
}

} // namespace

TEST(CaseMapping, CyrillicArmenianAndLatinLettersMapWithTheLanguage) {
    const auto russian = GetLanguageOperation(u"ru");
    EXPECT_EQ(russian->ToLower(u"ЁЖИК и Ко, 2024"), u"ёжик и ко, 2024");
    EXPECT_EQ(russian->ToUpper(u"ёжик и ко"), u"ЁЖИК И КО");
    const auto ukrainian = GetLanguageOperation(u"uk");
    EXPECT_EQ(ukrainian->ToLower(u"ҐАНОК ЄЇІ"), u"ґанок єїі");
    EXPECT_EQ(ukrainian->ToUpper(u"ґанок єїі"), u"ҐАНОК ЄЇІ");
    EXPECT_EQ(GetLanguageOperation(u"hy")->ToUpper(u"կիր"), u"ԿԻՐ");
    EXPECT_EQ(GetLanguageOperation(u"cs")->ToUpper(u"září"), u"ZÁŘÍ");
    // Full mappings, not one letter for one: ß has no single capital.
    EXPECT_EQ(GetLanguageOperation(u"en")->ToUpper(u"straße"), u"STRASSE");
    EXPECT_EQ(russian->ToLower(u""), u"");
}

TEST(CaseMapping, SentenceCaseCapitalisesEachSentenceAndLowersTheRest) {
    const auto english = GetLanguageOperation(u"en");
    EXPECT_EQ(english->ToSentenceCase(u"hello WORLD! second SENTENCE? third"),
              u"Hello world! Second sentence? Third");
    EXPECT_EQ(english->ToSentenceCase(u"HELLO WORLD. SECOND SENTENCE"), u"Hello world. Second sentence");
    EXPECT_EQ(GetLanguageOperation(u"ru")->ToSentenceCase(u"ПРИВЕТ, МИР. КАК ДЕЛА?"),
              u"Привет, мир. Как дела?");
    EXPECT_EQ(english->ToSentenceCase(u""), u"");
}

TEST(CaseMapping, SentenceCaseTakesAPeriodBeforeALowerCaseWordForAnAbbreviation) {
    EXPECT_EQ(GetLanguageOperation(u"en")->ToSentenceCase(u"hello world. second SENTENCE"),
              u"Hello world. second sentence");
}

TEST(CompareChars, Russian_YoSortsBetweenYeAndZhe) {
    EXPECT_LT(Compare(u"ru", u'е', u'ё'), 0);
    EXPECT_LT(Compare(u"ru", u'ё', u'ж'), 0);
    EXPECT_LT(Compare(u"ru", u'Ё', u'ж'), 0);
    EXPECT_GT(Compare(u"ru", u'ё', u'Е'), 0);
    EXPECT_LT(Compare(u"ru", u'а', u'б'), 0);
}

TEST(CompareChars, Russian_SpaceThenCyrillicThenLatinThenDigitsThenTheRest) {
    const char16_t ordered[] = {u' ', u'я', u'a', u'Z', u'0', u'9', u'-'};
    for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(Compare(u"ru", ordered[i], ordered[i + 1]), 0) << i;
        EXPECT_GT(Compare(u"ru", ordered[i + 1], ordered[i]), 0) << i;
    }
}

TEST(CompareChars, CaseIsIgnoredAndANoBreakSpaceIsASpace) {
    EXPECT_EQ(Compare(u"ru", u'Я', u'я'), 0);
    EXPECT_EQ(Compare(u"ru", u'Ё', u'ё'), 0);
    EXPECT_EQ(Compare(u"ru", u'Q', u'q'), 0);
    EXPECT_EQ(Compare(u"en", u'Q', u'q'), 0);
    EXPECT_EQ(Compare(u"ru", u'\u00A0', u' '), 0);
    EXPECT_LT(Compare(u"ru", u'\u00A0', u'а'), 0);
}

TEST(CompareChars, Ukrainian_LettersOfItsOwnSortInTheAlphabet) {
    const char16_t ordered[] = {u' ', u'г', u'Ґ', u'д', u'ё', u'є', u'и',
                                u'І', u'ї', u'й', u'я', u'a', u'5', u'-'};
    for (std::size_t i = 0; i + 1 < std::size(ordered); ++i)
        EXPECT_LT(Compare(u"uk", ordered[i], ordered[i + 1]), 0) << i;
}

TEST(CompareChars, LanguagesWithoutARankTableSortByTheLowerCaseCharacter) {
    EXPECT_LT(Compare(u"en", u'a', u'B'), 0);
    EXPECT_LT(Compare(u"es", u'1', u'a'), 0);
    EXPECT_GT(Compare(u"it", u'я', u'z'), 0);
}

TEST(FormatDate, EachLanguageLaysOutTheFullDate) {
    EXPECT_EQ(Date(u"ru", kJanuary5th2024), u"5 января 2024");
    EXPECT_EQ(Date(u"uk", kJanuary5th2024), u"5 січня 2024");
    EXPECT_EQ(Date(u"cs", kJanuary5th2024), u"5. ledna 2024");
    EXPECT_EQ(Date(u"en", kJanuary5th2024), u"5 January, 2024");
    EXPECT_EQ(Date(u"it", kJanuary5th2024), u"5 gennaio 2024");
    EXPECT_EQ(Date(u"hy", kJanuary5th2024), u"5 հունվար 2024");
    EXPECT_EQ(Date(u"es", kJanuary5th2024), u"5 de enero de 2024");
}

TEST(FormatDate, MonthOnlyLeavesTheDayOutAndUsesTheNominative) {
    EXPECT_EQ(Date(u"ru", kJanuary5th2024, 1), u"январь 2024");
    EXPECT_EQ(Date(u"uk", kJanuary5th2024, 1), u"січень 2024");
    EXPECT_EQ(Date(u"cs", kJanuary5th2024, 1), u"leden 2024");
    EXPECT_EQ(Date(u"en", kJanuary5th2024, 1), u"January, 2024");
    EXPECT_EQ(Date(u"it", kMarch1st2024, 1), u"marzo 2024");
    EXPECT_EQ(Date(u"hy", kJanuary5th2024, 1), u"հունվար 2024");
    EXPECT_EQ(Date(u"es", kJanuary5th2024, -3), u"enero de 2024");
}

TEST(FormatDate, ItalianFirstOfTheMonthIsAnOrdinal) {
    EXPECT_EQ(Date(u"it", kMarch1st2024), u"1\u00BA marzo 2024");
    EXPECT_EQ(Date(u"it", kMarch1st2024 + 10), u"11 marzo 2024");
    EXPECT_EQ(Date(u"en", kMarch1st2024), u"1 March, 2024");
}

TEST(FormatDate, AutomationDatesCountDaysFromTheEndOf1899) {
    EXPECT_EQ(Date(u"en", 0), u"30 December, 1899");
    EXPECT_EQ(Date(u"en", 2.75), u"1 January, 1900");
    EXPECT_EQ(Date(u"en", 36585), u"29 February, 2000");
    EXPECT_EQ(Date(u"en", -657434), u"1 January, 100");
    EXPECT_EQ(Date(u"en", 2958465.5), u"31 December, 9999");
}

TEST(FormatDate, NegativeDatesKeepTheTimeOfDayInTheFraction) {
    // -1.5 is noon on the day before day 0, not a day and a half earlier.
    EXPECT_EQ(Date(u"en", -1.5), u"29 December, 1899");
    EXPECT_EQ(Date(u"en", -0.5), u"30 December, 1899");
    EXPECT_EQ(Date(u"en", -36328.25), u"14 July, 1800");
}

TEST(FormatDate, TimeWithinHalfASecondOfMidnightBelongsToTheNextDay) {
    EXPECT_EQ(Date(u"en", 2 + 86399.4 / 86400), u"1 January, 1900");
    EXPECT_EQ(Date(u"en", 2 + 86399.6 / 86400), u"2 January, 1900");
}

TEST(FormatDate, DatesOutsideTheAutomationRangeAreErrors) {
    for (double date : {-657435.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                        -std::numeric_limits<double>::infinity()})
        EXPECT_THAT([&] { Date(u"en", date); }, ThrowsMessage<unicore::exception>(StrEq("Invalid date")));
}

TEST(WeekdayShortName, MondayFirstInEachLanguage) {
    const auto english = GetLanguageOperation(u"en");
    const std::array<std::u16string, 7> week{u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
    for (unsigned day = 0; day < 7; ++day)
        EXPECT_EQ(english->WeekdayShortName(day), week[day]);
    EXPECT_EQ(GetLanguageOperation(u"ru")->WeekdayShortName(0), u"Пн");
    EXPECT_EQ(GetLanguageOperation(u"ru")->WeekdayShortName(6), u"\u0412c"); // Cyrillic В, Latin c
    EXPECT_EQ(GetLanguageOperation(u"uk")->WeekdayShortName(6), u"Нд");
    EXPECT_EQ(GetLanguageOperation(u"cs")->WeekdayShortName(1), u"út");
    EXPECT_EQ(GetLanguageOperation(u"it")->WeekdayShortName(3), u"gio");
    EXPECT_EQ(GetLanguageOperation(u"hy")->WeekdayShortName(6), u"Կիր");
    EXPECT_EQ(GetLanguageOperation(u"es")->WeekdayShortName(5), u"sá");
}

TEST(WeekdayShortName, IndexAboveSixIsAnError) {
    for (const char16_t* code : {u"ru", u"uk", u"cs", u"en", u"it", u"hy", u"es"})
        for (unsigned index : {7u, UINT_MAX})
            EXPECT_THAT([&] { GetLanguageOperation(code)->WeekdayShortName(index); },
                        ThrowsMessage<unicore::exception>(StrEq("Invalid day index")));
}

TEST(FormatSize, NumberThenTheLanguagesUnitName) {
    EXPECT_EQ(GetLanguageOperation(u"ru")->FormatSize(u"12", 1), u"12 КБ");
    EXPECT_EQ(GetLanguageOperation(u"uk")->FormatSize(u"1,5", 3), u"1,5 ГБ");
    EXPECT_EQ(GetLanguageOperation(u"cs")->FormatSize(u"3", 1), u"3 kB");
    EXPECT_EQ(GetLanguageOperation(u"en")->FormatSize(u"5", 0), u"5 b");
    EXPECT_EQ(GetLanguageOperation(u"es")->FormatSize(u"", 2), u" Mb");
}

TEST(FormatSize, PlaceholdersInTheNumberText) {
    const auto english = GetLanguageOperation(u"en");
    // The unit is put in after the number, so a "{1}" in the number becomes the unit too.
    EXPECT_EQ(english->FormatSize(u"{1}", 2), u"Mb Mb");
    EXPECT_EQ(english->FormatSize(u"{0}", 2), u"{0} Mb");
}

TEST(FormatSize, UnitAboveGigabytesIsAnError) {
    for (unsigned unit : {4u, UINT_MAX})
        EXPECT_THAT([&] { GetLanguageOperation(u"ru")->FormatSize(u"1", unit); },
                    ThrowsMessage<unicore::exception>(StrEq("Invalid category")));
}

namespace {

// English with kilobytes and megabytes swapped in its unit table.
struct SwappedUnitsEnglish : LangService::Impl::LangSpecEN {
    std::span<const std::pair<unsigned, std::u16string_view>> SizeUnits() const { return units; }
    std::array<std::pair<unsigned, std::u16string_view>, 4> units{
        {{0, u"b"}, {2, u"Mb"}, {1, u"Kb"}, {3, u"Gb"}}};
};

} // namespace

TEST(FormatSize, UnitTableOutOfOrderIsAnError) {
    const LangService::Impl::LanguageOperation<LangService::Impl::IcuLocale, SwappedUnitsEnglish> operation(
        std::make_shared<const LangService::Impl::IcuLocale>("en", "US"),
        std::make_shared<const SwappedUnitsEnglish>());
    EXPECT_EQ(operation.FormatSize(u"7", 0), u"7 b");
    EXPECT_THAT([&] { operation.FormatSize(u"7", 1); },
                ThrowsMessage<unicore::exception>(StrEq("Unordered category array")));
    // Without a Windows side the operation has no language identifier.
    EXPECT_EQ(operation.WindowsLanguageId(), 0);
}
