#include "core/CountPhrase.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/system/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

// The forms are read once per process, so each language is checked in a process of
// its own.
namespace {
using Expectations = std::vector<std::pair<int, std::u16string>>;

// Children are started afresh rather than forked, so no earlier test's call counts.
class CountPhrases : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void CheckInChild(LANGID ui, const Expectations& expected) {
    SetThreadUILanguage(ui);
    const LangLocal language(TheModule().Instance());
    for (const auto& [count, phrase] : expected)
        if (CountPhrase(count, language, false) != phrase) std::exit(1);
    std::exit(0);
}
} // namespace

TEST_F(CountPhrases, EachLanguageWritesTheCountAndTheFormOfEveryCategoryItUses) {
    const Expectations eastSlavic = {{1, u"1 заметка"}, {3, u"3 заметки"}, {5, u"5 заметок"}};
    const std::pair<LANGID, Expectations> languages[] = {
        {1033, {{1, u"1 note"}, {0, u"0 notes"}, {-1, u"-1 notes"}}},
        {1049, eastSlavic},
        {1058, eastSlavic},
        {1029, {{1, u"1 poznámka"}, {4, u"4 poznámky"}, {5, u"5 poznámek"}}},
        {1040, {{1, u"1 nota"}, {7, u"7 note"}}},
        {3082, {{1, u"1 nota"}, {0, u"0 notas"}}},
    };
    for (const auto& [language, expected] : languages)
        EXPECT_EXIT(CheckInChild(language, expected), ::testing::ExitedWithCode(0), "") << language;
}

TEST_F(CountPhrases, NonBreakingUsesTheEntityAndFormsStayThoseOfTheFirstCall) {
    EXPECT_EXIT(
        {
            SetThreadUILanguage(1033);
            const LangLocal english(TheModule().Instance());
            const bool ok = CountPhrase(5, english, true) == u"5&nbsp;notes";
            SetThreadUILanguage(1040);
            const LangLocal italian(TheModule().Instance());
            // Italian counts with English words: the forms were read for the module's life.
            std::exit(ok && CountPhrase(2, italian, false) == u"2 notes" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
