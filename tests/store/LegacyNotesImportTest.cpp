// The legacy notes file: its grammar line by line, code page 1251, lines adding up, and what ends an
// import.
#include "StoreFixture.h"

#include "store/LegacyNotesImport.h"

namespace {
class LegacyNotesImportTest : public StoreFixture {
protected:
    std::size_t Import(const std::string& bytes) {
        WriteFile(folder / "Testford.dns", bytes);
        return ImportLegacyNotes(PathOf("Testford.dns"), notes, 18);
    }
    std::vector<std::int32_t> CategoriesOf(std::int32_t key) const { return notes.Get(key).CategoryList(); }
};
} // namespace

TEST_F(LegacyNotesImportTest, TextLinesAreCodePage1251WithWrittenLineBreaks) {
    // "Заметка" and the euro sign, which 1251 has at 0x88.
    EXPECT_EQ(Import("1001_t: first\\nsecond\\\\n\\x\r\n"
                     "-1002_t: \xC7\xE0\xEC\xE5\xF2\xEA\xE0 \x88"),
              2u);
    EXPECT_EQ(notes.Get(kCafe).Text(), u"first\nsecond\\\n\\x");
    EXPECT_EQ(notes.Get(kDentist).Text(), u"Заметка €");
}

TEST_F(LegacyNotesImportTest, CategoryLinesAddValidCategoriesOnceUntilTheFirstNonNumber) {
    Import("1001_c: 3 3\t25 -1 +4 17 18 0x 5\n"
           "-1002_c:99999999999 6\n");
    EXPECT_EQ(CategoriesOf(kCafe), (std::vector<std::int32_t>{3, 4, 17, 0}));
    EXPECT_FALSE(notes.Contains(kDentist)) << "reading stops at a number that overflows";
}

TEST_F(LegacyNotesImportTest, LinesOfOneCompanyAddUpAndALaterTextWins) {
    notes.Set(kDentist, Note(kDentistStable, u"stored", {1}));
    notes.Set(kTaxis, Note(kTaxisStable, u"kept", {2}));
    Import("1001_c: 1\n"
           "1001_t: one\n"
           "1001_c: 2 1\n"
           "1001_t: two\n"
           "-1002_c: 9\n"
           "-1002_t: \n"
           "11_t: \r\n"
           "-2147483648_t: the smallest id is an id\n");
    EXPECT_EQ(notes.Get(kCafe).Text(), u"two");
    EXPECT_EQ(CategoriesOf(kCafe), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(notes.Get(kDentist).Text(), u"stored") << "\"t: \" with nothing after it changes nothing";
    EXPECT_EQ(CategoriesOf(kDentist), (std::vector<std::int32_t>{1, 9}));
    EXPECT_EQ(notes.Get(kTaxis).Text(), u"kept") << "whatever the line end";
    EXPECT_EQ(notes.Get(kEdge).Text(), u"the smallest id is an id");
}

TEST_F(LegacyNotesImportTest, LinesBreakingTheGrammarAreSkipped) {
    const std::size_t count = Import("0_t: zero\n"
                                     "1001x_t: letter after the number\n"
                                     "_t: no number\n"
                                     "1001 _t: blank before the underscore\n"
                                     "4294968297_t: overflows to 1001 in 32 bits\n"
                                     "999_t: unknown company\n"
                                     "1001_x: other statement\n"
                                     "1001_t:missing blank\n"
                                     "1001_c: 25 -1\n"
                                     "  -1002_t: white space first\n"
                                     "words first: 11_t: x\n"
                                     "11_t: last");
    EXPECT_EQ(count, 2u);
    EXPECT_FALSE(notes.Contains(kCafe)) << "a company whose categories are all out of range gets no note";
    EXPECT_EQ(notes.Get(kDentist).Text(), u"white space first");
    EXPECT_EQ(notes.Get(kTaxis).Text(), u"last");
}

TEST_F(LegacyNotesImportTest, WhatCannotBeReadImportsNothingAndHostFailuresAreRaised) {
    // No legacy file, or a pipe in its place, is seen through the host's start.
    notes.Set(kEdge, Note(kEdgeStable, u"kept"));
    for (const std::u16string& path : {PathOf("absent.dns"), PathOf("") /* the folder */, std::u16string()})
        EXPECT_EQ(ImportLegacyNotes(path, notes, 18), 1u) << ToUtf8(path);

    Faults().Fail("IHostTable.ObjectByStableId", E_FAIL, 2);
    EXPECT_TRUE(
        RaisesComError([&] { Import("1001_t: a\n-1002_t: b\n"); }, E_FAIL, ZeltCore::IHostTable::iid));
    EXPECT_EQ(notes.Get(kCafe).Text(), u"a") << "notes stored before the failure stay";
    EXPECT_FALSE(notes.Contains(kDentist));
}
