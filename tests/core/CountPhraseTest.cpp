#include "core/CountPhrase.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/system/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The count and the form of every category each interface language uses are seen in the
// settings' counted messages through the host, each language in a host process of its own. The
// forms are read once per process, so what stays is checked in a process of its own.
TEST(CountPhrase, NonBreakingUsesTheEntityAndFormsStayThoseOfTheFirstCall) {
    // A child started afresh rather than forked, so that no earlier test's call counts.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
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
