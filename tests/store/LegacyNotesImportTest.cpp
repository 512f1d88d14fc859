#include "StoreFixture.h"

#include "store/LegacyNotesImport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class LegacyNotesImportTest : public StoreFixture {
protected:
    LegacyNotesImportTest() { Table().keyOf = {{123, 1}, {124, 2}, {-9, -90}, {77, 0}, {2147483647, 5}}; }

    std::size_t Import(const std::string& bytes) {
        const std::u16string path = PathOf("Town.dns");
        WriteBytes(path, bytes);
        return ImportLegacyNotes(path, notes, 18);
    }
    std::vector<std::int32_t> CategoriesOf(std::int32_t key) const { return notes.Get(key).CategoryList(); }
};
} // namespace

TEST_F(LegacyNotesImportTest, TextLinesTurnWrittenLineBreaksIntoLineFeeds) {
    EXPECT_EQ(Import("123_t: first\\nsecond\\\\n\\x\r\n"), 1u);
    EXPECT_EQ(notes.Get(1).Text(), u"first\nsecond\\\n\\x");
    EXPECT_EQ(notes.Get(1).Id(), 123);
}

TEST_F(LegacyNotesImportTest, TextIsCodePage1251) {
    // "Заметка" and the euro sign, which 1251 has at 0x88.
    Import("123_t: \xC7\xE0\xEC\xE5\xF2\xEA\xE0 \x88");
    EXPECT_EQ(notes.Get(1).Text(), u"Заметка €");
}

TEST_F(LegacyNotesImportTest, CategoryLinesAddValidCategoriesOnceUntilTheFirstNonNumber) {
    Import("123_c: 3 3\t25 -1 +4 17 18 0x 5\n"
           "124_c:99999999999 6\n");
    EXPECT_EQ(CategoriesOf(1), (std::vector<std::int32_t>{3, 4, 17, 0}));
    EXPECT_FALSE(notes.Contains(2)) << "reading stops at a number that overflows";
}

TEST_F(LegacyNotesImportTest, LinesOfOneCompanyAddUpAndALaterTextWins) {
    notes.Set(2, Note(124, u"stored", {1}));
    Import("123_c: 1\n"
           "123_t: one\n"
           "123_c: 2 1\n"
           "123_t: two\n"
           "124_c: 9\n"
           "124_t: \n"
           "-9_t: negative ids are ids\n");
    EXPECT_EQ(notes.Get(1).Text(), u"two");
    EXPECT_EQ(CategoriesOf(1), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(notes.Get(2).Text(), u"stored") << "\"t: \" with nothing after it changes nothing";
    EXPECT_EQ(CategoriesOf(2), (std::vector<std::int32_t>{1, 9}));
    EXPECT_EQ(notes.Get(-90).Text(), u"negative ids are ids");
}

TEST_F(LegacyNotesImportTest, LinesBreakingTheGrammarAreSkipped) {
    const std::size_t count = Import("0_t: zero\n"
                                     "123x_t: letter after the number\n"
                                     "_t: no number\n"
                                     "123 _t: blank before the underscore\n"
                                     "4294967419_t: overflows to 123 in 32 bits\n"
                                     "999_t: unknown company\n"
                                     "77_t: company with key 0\n"
                                     "123_x: other statement\n"
                                     "123_t:missing blank\n"
                                     "123_c: 25 -1\n"
                                     "  124_t: white space first\n"
                                     "2147483647_t: largest\n"
                                     "no line feed at the end: 124_t: x");
    EXPECT_EQ(count, 2u);
    EXPECT_FALSE(notes.Contains(1)) << "a company whose categories are all out of range gets no note";
    EXPECT_EQ(notes.Get(2).Text(), u"white space first");
    EXPECT_EQ(notes.Get(5).Text(), u"largest");
}

TEST_F(LegacyNotesImportTest, AMissingFileImportsNothingAndHostFailuresAreRaised) {
    notes.Set(9, Note(1, u"kept"));
    EXPECT_EQ(ImportLegacyNotes(PathOf("absent.dns"), notes, 18), 1u);
    EXPECT_EQ(ImportLegacyNotes(u"", notes, 18), 1u);

    Table().failAfter = 1;
    EXPECT_THROW(Import("123_t: a\n124_t: b\n"), zsys::ComError);
    EXPECT_EQ(notes.Get(1).Text(), u"a") << "notes stored before the failure stay";
    EXPECT_FALSE(notes.Contains(2));
}
