#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/resources/ModuleResources.h"
#include "platform/system/Language.h"
#include "resources/ResourceIds.h"
#include "tests/support/StringBlock.h"

#include <gtest/gtest.h>

namespace {
class InterfaceLanguage : public ::testing::Test {
protected:
    void TearDown() override {
        SetThreadUILanguage(0);
        SetThreadLocale(0);
        SetOsVersion(10, 0);
    }
    static LangLocal With(LANGID ui) {
        SetThreadUILanguage(ui);
        return LangLocal(TheModule().Instance());
    }
};
} // namespace

// That each of the six interface languages loads its own texts, and English of the United Kingdom
// the Russian ones, is seen through the host: the plug-in's description, its dialogs and messages.
TEST_F(InterfaceLanguage, OtherLanguagesAndVariantsFallBackToRussian) {
    for (LANGID id : {1031, 2058, 0x0419 | 0x0800}) {
        const LangLocal language = With(id);
        EXPECT_EQ(language.Language(), 1049) << id;
        EXPECT_EQ(language.LoadString(IDS_NOTES), With(1049).LoadString(IDS_NOTES)) << id;
    }
}

TEST_F(InterfaceLanguage, OldSystemsChooseByThreadLocale) {
    SetOsVersion(5, 1);
    SetThreadLocale(0x04000000 | 1040); // sort bits above the LANGID do not count
    EXPECT_EQ(With(1033).Language(), 1040);
    SetOsVersion(6, 0);
    EXPECT_EQ(With(1033).Language(), 1033);
}

// A library whose Russian table lacks a text that its English table has.
TEST_F(InterfaceLanguage, TextMissingInChosenLanguageComesFromTheSystemsChoice) {
    const auto russian = testsupport::StringBlock({{0, u"только русский"}}),
               english = testsupport::StringBlock({{5, u"English only"}});
    const ResourceEntry entries[] = {
        {RT_STRING, 1, 1049, russian.data(), DWORD(russian.size())},
        {RT_STRING, 1, 1033, english.data(), DWORD(english.size())},
    };
    const ResourceTable table{entries, 2};
    HMODULE module = RegisterModule("PartlyTranslated", &table, nullptr);
    SetThreadUILanguage(2057); // Russian is chosen; the system prefers English
    const LangLocal language(module);
    EXPECT_EQ(language.LoadString(0), u"только русский");
    EXPECT_EQ(language.LoadString(5), u"English only");
    EXPECT_EQ(language.LoadString(6), u"");
    UnregisterModule(module);
}
