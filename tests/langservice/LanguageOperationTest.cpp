#include "langservice/LanguageOperation.h"
#include "langservice/IcuLocale.h"
#include "langservice/LangSpecEN.h"
#include "langservice/LanguageFactory.h"
#include "langservice/UnicoreException.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <limits>
#include <tuple>

using LangService::GetLanguageOperation;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {

int Compare(const char16_t* code, char16_t a, char16_t b) {
    return GetLanguageOperation(code)->CompareChars(a, b);
}

// Samples of each language's names in its date layout: a full date takes the genitive month where
// the language has one, a month alone the nominative; units go from bytes to gigabytes.
struct LanguageSamples {
    const char16_t* code;
    unsigned fullMonth;
    std::u16string_view fullDate;
    unsigned onlyMonth;
    std::u16string_view monthOnly, monday, sunday;
    std::array<std::u16string_view, 4> units;
};

const LanguageSamples kLanguages[] = {
    // The Russian Sunday is a Cyrillic В and a Latin c.
    {u"ru", 5, u"15 мая 2024", 12, u"декабрь 2024", u"Пн", u"\u0412c", {u"Б", u"КБ", u"МБ", u"ГБ"}},
    {u"uk", 11, u"15 листопада 2024", 2, u"лютий 2024", u"Пн", u"Нд", {u"Б", u"КБ", u"МБ", u"ГБ"}},
    {u"cs", 7, u"15. července 2024", 3, u"březen 2024", u"po", u"ne", {u"B", u"kB", u"MB", u"GB"}},
    {u"en", 1, u"15 January, 2024", 6, u"June, 2024", u"Mon", u"Sun", {u"b", u"Kb", u"Mb", u"Gb"}},
    {u"it", 8, u"15 agosto 2024", 3, u"marzo 2024", u"lun", u"dom", {u"b", u"Kb", u"Mb", u"Gb"}},
    {u"hy", 10, u"15 հոկտեմբեր 2024", 4, u"ապրիլ 2024", u"Երկ", u"Կիր", {u"b", u"Kb", u"Mb", u"Gb"}},
    {u"es", 9, u"15 de septiembre de 2024", 5, u"mayo de 2024", u"lu", u"do", {u"b", u"Kb", u"Mb", u"Gb"}},
};

double AutomationDate(int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    return (sys_days(year(y) / month(m) / day(d)) - sys_days(year(1899) / December / 30)).count();
}

} // namespace

TEST(LanguageTexts, EachLanguageWritesItsMonthWeekdayAndSizeNamesInItsDateLayout) {
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(std::string(language.code, language.code + 2));
        const auto operation = GetLanguageOperation(language.code);
        EXPECT_EQ(operation->FormatDate(AutomationDate(2024, language.fullMonth, 15), 0), language.fullDate);
        // Any non-zero flag asks for the month alone.
        for (const int flag : {1, -7})
            EXPECT_EQ(operation->FormatDate(AutomationDate(2024, language.onlyMonth, 15), flag),
                      language.monthOnly);
        EXPECT_EQ(operation->WeekdayShortName(0), language.monday);
        EXPECT_EQ(operation->WeekdayShortName(6), language.sunday);
        for (unsigned unit = 0; unit < 4; ++unit)
            EXPECT_EQ(operation->FormatSize(u"1,5", unit), u"1,5 " + std::u16string(language.units[unit]));
    }
}

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

TEST(CaseMapping, TheLanguagesOwnRulesApply) {
    // The ligature ech-yiwn capitalises as ech-vew in Armenian, as ech-yiwn elsewhere.
    const auto armenian = GetLanguageOperation(u"hy");
    EXPECT_EQ(armenian->ToUpper(u"\u0587"), u"\u0535\u054E");
    EXPECT_EQ(armenian->ToSentenceCase(u"\u0587 \u0587"), u"\u0535\u057E \u0587");
    EXPECT_EQ(GetLanguageOperation(u"en")->ToUpper(u"\u0587"), u"\u0535\u0552");
    EXPECT_EQ(GetLanguageOperation(u"ru")->ToSentenceCase(u"\u0587"), u"\u0535\u0582");
}

TEST(CaseMapping, SentenceCaseCapitalisesEachSentenceAndLowersTheRest) {
    const auto english = GetLanguageOperation(u"en");
    EXPECT_EQ(english->ToSentenceCase(u"hello WORLD! second SENTENCE? third"),
              u"Hello world! Second sentence? Third");
    EXPECT_EQ(GetLanguageOperation(u"ru")->ToSentenceCase(u"ПРИВЕТ, МИР. КАК ДЕЛА?"),
              u"Привет, мир. Как дела?");
    // A period before a lower-case word is taken for an abbreviation.
    EXPECT_EQ(english->ToSentenceCase(u"hello world. second SENTENCE"), u"Hello world. second sentence");
    EXPECT_EQ(english->ToSentenceCase(u""), u"");
}

TEST(CompareChars, EachLanguageSortsCharactersInItsOrderIgnoringCase) {
    // Each text is in ascending order.
    const std::pair<const char16_t*, std::u16string_view> ascending[] = {
        // ё between е and ж whatever the case; space, Cyrillic, Latin, digits, then the rest
        {u"ru", u"аеёжя"},
        {u"ru", u"ЕёЖ"},
        {u"ru", u" яaZ09-"},
        {u"ru", u"\u00A0а"},
        // the letters of Ukrainian's own sort within its alphabet
        {u"uk", u" гҐдёєиІїйяa5-"},
        // without a rank table, by the lower-case character
        {u"en", u"aB"},
        {u"es", u"1a"},
        {u"it", u"zя"},
    };
    for (const auto& [code, text] : ascending)
        for (std::size_t i = 1; i < text.size(); ++i) {
            EXPECT_LT(Compare(code, text[i - 1], text[i]), 0) << std::string(code, code + 2) << " at " << i;
            EXPECT_GT(Compare(code, text[i], text[i - 1]), 0) << std::string(code, code + 2) << " at " << i;
        }
    // Case is ignored, and a no-break space is a space.
    const std::tuple<const char16_t*, char16_t, char16_t> ties[] = {{u"ru", u'Я', u'я'},
                                                                    {u"ru", u'Ё', u'ё'},
                                                                    {u"ru", u'Q', u'q'},
                                                                    {u"en", u'Q', u'q'},
                                                                    {u"ru", u'\u00A0', u' '}};
    for (const auto& [code, a, b] : ties)
        EXPECT_EQ(Compare(code, a, b), 0) << std::string(code, code + 2) << " " << int(a);
}

TEST(FormatDate, AutomationDatesCountDaysFromTheEndOf1899AndTheFractionIsTheTimeOfDay) {
    const std::tuple<const char16_t*, double, std::u16string_view> dates[] = {
        {u"en", 0, u"30 December, 1899"},
        {u"en", 2.75, u"1 January, 1900"},
        {u"en", 36585, u"29 February, 2000"},
        {u"en", -657434, u"1 January, 100"},
        {u"en", 2958465.5, u"31 December, 9999"},
        // Below 0 the fraction is still the time of day: -1.5 is noon of the day before day 0.
        {u"en", -1.5, u"29 December, 1899"},
        {u"en", -0.5, u"30 December, 1899"},
        {u"en", -36328.25, u"14 July, 1800"},
        // Within half a second of midnight is the next day.
        {u"en", 2 + 86399.4 / 86400, u"1 January, 1900"},
        {u"en", 2 + 86399.6 / 86400, u"2 January, 1900"},
        // The Italian first of the month is an ordinal.
        {u"it", AutomationDate(2024, 3, 1), u"1\u00BA marzo 2024"},
        {u"it", AutomationDate(2024, 3, 11), u"11 marzo 2024"},
    };
    for (const auto& [code, date, text] : dates)
        EXPECT_EQ(GetLanguageOperation(code)->FormatDate(date, 0), text) << date;
}

TEST(LanguageOperation, ValuesOutOfRangeAreErrors) {
    const auto raises = [](const char* message) { return ThrowsMessage<unicore::exception>(StrEq(message)); };
    for (double date : {-657435.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                        -std::numeric_limits<double>::infinity()})
        EXPECT_THAT([&] { GetLanguageOperation(u"en")->FormatDate(date, 0); }, raises("Invalid date"));
    for (const char16_t* code : {u"ru", u"uk", u"cs", u"en", u"it", u"hy", u"es"})
        for (unsigned index : {7u, UINT_MAX})
            EXPECT_THAT([&] { GetLanguageOperation(code)->WeekdayShortName(index); },
                        raises("Invalid day index"));
    for (unsigned unit : {4u, UINT_MAX})
        EXPECT_THAT([&] { GetLanguageOperation(u"ru")->FormatSize(u"1", unit); }, raises("Invalid category"));
}

TEST(FormatSize, PlaceholdersInTheNumberText) {
    const auto english = GetLanguageOperation(u"en");
    // The unit is put in after the number, so a "{1}" in the number becomes the unit too.
    EXPECT_EQ(english->FormatSize(u"{1}", 2), u"Mb Mb");
    EXPECT_EQ(english->FormatSize(u"{0}", 2), u"{0} Mb");
    EXPECT_EQ(english->FormatSize(u"", 0), u" b");
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
