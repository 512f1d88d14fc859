// The note search's matchers over a note collection: the letter case they fold and the distance a
// failing company is told. The number a category criterion names is read after its first eleven
// characters, as the host's test of the marks' links shows.
#include "search/NoteMatchers.h"
#include "store/NoteCollection.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
CollectionElement Note(std::u16string text, std::vector<std::int32_t> categories = {}) {
    CollectionElement note;
    note.SetText(std::move(text));
    for (const std::int32_t c : categories)
        note.AddCategory(c);
    return note;
}
} // namespace

// Russian and Latin letters found in either case, ё with Ё, and an empty text passing every
// note are seen through the host, over a city of notes; here, what folding leaves apart.
TEST(SearchMatchers, Text_IsFoundAfterFoldingLatinAndRussianLettersOnly) {
    const struct {
        std::u16string note, pattern;
        bool found;
    } cases[] = {
        {u"Елка", u"ёлка", false}, // е and ё stay apart
        {u"Cafe", u"Cаfe", false}, // a Latin letter never matches a Cyrillic one
        {u"Ї", u"ї", false},       // Ukrainian letters are not folded
        {u"Café", u"CAFÉ", false}, // nor accented Latin ones
        {u"CAFÉ", u"caf", true},   {u"ab", u"abc", false},
        {u"", u"", true}, // a note of categories only passes an empty pattern
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        NoteCollection notes;
        notes.Set(7, c.note.empty() ? Note(u"", {2}) : Note(c.note));
        NoteMatchers matchers(notes);
        matchers.SetText(c.pattern);
        EXPECT_EQ(matchers.MatchText(7), c.found ? 0 : -1);
    }
}

TEST(SearchMatchers, AFailingCompanyIsToldTheDistanceToTheNextNote) {
    NoteCollection notes;
    notes.Set(10, Note(u"hit", {1}));
    notes.Set(20, Note(u"miss", {2}));
    notes.Set(35, Note(u"miss", {2}));
    NoteMatchers matchers(notes);
    matchers.SetText(u"HIT");
    matchers.SetCategory(u"MYUNIQUETAG1");
    const struct {
        std::int32_t company, distance;
    } cases[] = {{5, 5}, {10, 0}, {11, 9}, {20, 15}, {35, -1}, {40, -1}, {INT32_MIN, INT32_MAX}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.company);
        EXPECT_EQ(matchers.MatchText(c.company), c.distance);
        EXPECT_EQ(matchers.MatchCategory(c.company), c.distance);
    }

    const NoteCollection none;
    NoteMatchers nothing(none);
    nothing.SetText(u"");
    nothing.SetCategory(u"MYUNIQUETAG0");
    EXPECT_EQ(nothing.MatchText(INT32_MIN), -1) << "an empty collection ends the pass at once";
    EXPECT_EQ(nothing.MatchCategory(0), -1);
}

TEST(SearchMatchers, ANoteChangedAfterTheCriterionWasSetIsTestedAsItIsNow) {
    NoteCollection notes;
    notes.Set(4, Note(u"old"));
    NoteMatchers matchers(notes);
    matchers.SetText(u"new");
    EXPECT_EQ(matchers.MatchText(4), -1);
    notes.Set(4, Note(u"brand new"));
    EXPECT_EQ(matchers.MatchText(4), 0);
}
