// The collection's key order, which the search's distances walk. Storing, erasing and taking every
// note out are seen through the cards and the settings' deletion; merging files into it through the
// store.
#include "StoreFixture.h"

#include "store/NoteCollection.h"

#include <gtest/gtest.h>

#include <vector>

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
