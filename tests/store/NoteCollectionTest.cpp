// The collection in memory: copies in and out, key order, and taking every note out. Merging files into
// it is tested through the store, where the files come from.
#include "StoreFixture.h"

#include "store/NoteCollection.h"

#include <gtest/gtest.h>

#include <vector>

TEST(NoteCollection, GetCopiesAndSetIgnoresEmptyNotes) {
    NoteCollection notes;
    CollectionElement absent = notes.Get(5);
    EXPECT_TRUE(absent.IsEmpty());
    notes.Set(5, absent);
    EXPECT_FALSE(notes.Contains(5));

    notes.Set(5, Note(105, u"first"));
    CollectionElement copy = notes.Get(5);
    copy.SetText(u"changed");
    EXPECT_EQ(notes.Get(5).Text(), u"first") << "callers get copies";
    notes.Set(5, copy);
    EXPECT_EQ(notes.Get(5).Text(), u"changed");
    EXPECT_EQ(notes.Count(), 1u);
    EXPECT_EQ(notes.Erase(5), 1u);
    EXPECT_EQ(notes.Erase(5), 0u);
    EXPECT_EQ(notes.Count(), 0u);
}

TEST(NoteCollection, KeysRunInSignedOrder) {
    NoteCollection notes;
    for (std::int32_t key : {7, -3, 0, 2147483647, -2147483647 - 1})
        notes.Set(key, Note(1, u"n"));
    std::vector<std::int32_t> keys;
    notes.ForEach([&](std::int32_t key, const CollectionElement&) { keys.push_back(key); });
    EXPECT_EQ(keys, (std::vector<std::int32_t>{-2147483647 - 1, -3, 0, 7, 2147483647}));
    EXPECT_EQ(notes.KeyAfter(-5), -3);
    EXPECT_EQ(notes.KeyAfter(-3), 0);
    EXPECT_EQ(notes.KeyAfter(7), 2147483647);
    EXPECT_EQ(notes.KeyAfter(2147483647), std::nullopt);
}

TEST(NoteCollection, RemoveAllTellsEveryStableIdInKeyOrderThenEmpties) {
    NoteCollection notes;
    notes.Set(3, Note(103, u"c"));
    notes.Set(1, Note(101, u"a"));
    std::vector<std::int32_t> told;
    EXPECT_EQ(notes.RemoveAll([&](std::int32_t id) {
        told.push_back(id);
        EXPECT_EQ(notes.Count(), 2u) << "the notes go only after every callback";
    }),
              2u);
    EXPECT_EQ(told, (std::vector<std::int32_t>{101, 103}));
    EXPECT_EQ(notes.Count(), 0u);
}
