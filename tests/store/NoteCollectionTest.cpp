#include "FakeTable.h"
#include "MakeNote.h"

#include "store/NoteCollection.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
class NoteCollectionTest : public ::testing::Test {
protected:
    NoteCollectionTest() {
        table->keyOf = {{101, 1}, {102, 2}, {103, 3}, {-7, -40}};
        notes.SetTable(zsys::ComPtr<ZeltCore::IHostTable>(table.get()));
    }
    // The root of a file whose notes are given as XML.
    pugi::xml_node File(const char* notesXml) {
        const std::string xml =
            std::string("<DirectoryNotes><MapName>Town</MapName>") + notesXml + "</DirectoryNotes>";
        EXPECT_TRUE(document.load_string(xml.c_str()));
        return document.child("DirectoryNotes");
    }
    std::vector<std::pair<std::int32_t, std::u16string>> Contents() const {
        std::vector<std::pair<std::int32_t, std::u16string>> contents;
        notes.ForEach([&](std::int32_t key, const CollectionElement& note) {
            contents.emplace_back(key, note.Text());
        });
        return contents;
    }

    zsys::ComPtr<FakeTable> table = zsys::Make<FakeTable>();
    NoteCollection notes;
    pugi::xml_document document;
};

using Entries = std::vector<std::pair<std::int32_t, std::u16string>>;
} // namespace

TEST_F(NoteCollectionTest, GetCopiesAndSetIgnoresEmptyNotes) {
    CollectionElement absent = notes.Get(5);
    EXPECT_TRUE(absent.IsEmpty());
    notes.Set(5, absent);
    EXPECT_FALSE(notes.Contains(5));

    notes.Set(5, MakeNote(105, u"first"));
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

TEST_F(NoteCollectionTest, KeysRunInSignedOrder) {
    for (std::int32_t key : {7, -3, 0, 2147483647, -2147483647 - 1})
        notes.Set(key, MakeNote(1, u"n" + std::u16string(1, static_cast<char16_t>(u'a' + (key & 7)))));
    std::vector<std::int32_t> keys;
    notes.ForEach([&](std::int32_t key, const CollectionElement&) { keys.push_back(key); });
    EXPECT_EQ(keys, (std::vector<std::int32_t>{-2147483647 - 1, -3, 0, 7, 2147483647}));
    EXPECT_EQ(notes.KeyAfter(-5), -3);
    EXPECT_EQ(notes.KeyAfter(-3), 0);
    EXPECT_EQ(notes.KeyAfter(7), 2147483647);
    EXPECT_EQ(notes.KeyAfter(2147483647), std::nullopt);
}

TEST_F(NoteCollectionTest, RemoveAllTellsEveryStableIdInKeyOrderThenEmpties) {
    notes.Set(3, MakeNote(103, u"c"));
    notes.Set(1, MakeNote(101, u"a"));
    std::vector<std::int32_t> told;
    EXPECT_EQ(notes.RemoveAll([&](std::int32_t id) {
        told.push_back(id);
        EXPECT_EQ(notes.Count(), 2u) << "the notes go only after every callback";
    }),
              2u);
    EXPECT_EQ(told, (std::vector<std::int32_t>{101, 103}));
    EXPECT_EQ(notes.Count(), 0u);
}

TEST_F(NoteCollectionTest, LoadFromDropsEmptyNotesAndCompaniesTheCityLacks) {
    const int stored = notes.LoadFrom(File("<Note><id>101</id><comment><text>a</text></comment></Note>"
                                           "<Note><id>999</id><comment><text>gone</text></comment></Note>"
                                           "<Note><id>102</id></Note>"
                                           "<Other><id>-7</id><marker><color>1</color></marker></Other>"),
                                      false);
    EXPECT_EQ(stored, 2);
    EXPECT_EQ(Contents(), (Entries{{-40, u""}, {1, u"a"}}));
    EXPECT_EQ(notes.Get(-40).Id(), -7);
    EXPECT_EQ(table->lookups, 3) << "an empty note is not looked up";
}

TEST_F(NoteCollectionTest, LoadFromWithoutNoteElementsMergesNothing) {
    notes.Set(1, MakeNote(101, u"kept"));
    EXPECT_EQ(notes.LoadFrom(File("<Categories/><note><id>102</id></note>"), true), 0);
    EXPECT_EQ(notes.ReplaceAllFrom(File("")), 0);
    EXPECT_EQ(notes.Count(), 0u);
}

TEST_F(NoteCollectionTest, KeepModeNeverChangesAStoredNote) {
    notes.Set(2, MakeNote(102, u"mine"));
    const char* file = "<Note><id>102</id><comment><text>theirs</text></comment></Note>"
                       "<Note><id>101</id><comment><text>first</text></comment></Note>"
                       "<Note><id>101</id><comment><text>second</text></comment></Note>";
    EXPECT_EQ(notes.LoadFrom(File(file), false), 1);
    EXPECT_EQ(Contents(), (Entries{{1, u"first"}, {2, u"mine"}}));
}

TEST_F(NoteCollectionTest, ReplaceModeLetsTheFileWinAndCountsEveryNoteTaken) {
    notes.Set(2, MakeNote(102, u"mine"));
    notes.Set(3, MakeNote(103, u"untouched"));
    const char* file = "<Note><id>102</id><comment><text>theirs</text></comment></Note>"
                       "<Note><id>101</id><comment><text>first</text></comment></Note>"
                       "<Note><id>101</id><comment><text>second</text></comment></Note>";
    EXPECT_EQ(notes.LoadFrom(File(file), true), 3);
    EXPECT_EQ(Contents(), (Entries{{1, u"second"}, {2, u"theirs"}, {3, u"untouched"}}));
    EXPECT_EQ(notes.ReplaceAllFrom(File(file)), 3);
    EXPECT_EQ(Contents(), (Entries{{1, u"second"}, {2, u"theirs"}}));
}

TEST_F(NoteCollectionTest, HostFailureEndsTheMergeAndKeepsWhatWasStored) {
    table->failAfter = 1;
    try {
        notes.LoadFrom(File("<Note><id>101</id><comment><text>a</text></comment></Note>"
                            "<Note><id>102</id><comment><text>b</text></comment></Note>"),
                       true);
        FAIL() << "the failure is raised";
    } catch (const zsys::ComError& error) {
        EXPECT_EQ(error.code(), E_FAIL);
        EXPECT_EQ(error.iid(), ZeltCore::IHostTable::iid);
    }
    EXPECT_EQ(Contents(), (Entries{{1, u"a"}}));

    table->failAfter = -1;
    table->idResult = E_UNEXPECTED;
    try {
        notes.KeyOfStableId(101);
        FAIL() << "the failure is raised";
    } catch (const zsys::ComError& error) {
        EXPECT_EQ(error.code(), E_UNEXPECTED);
        EXPECT_EQ(error.iid(), ZeltCore::IHostDirObject::iid);
    }
    NoteCollection withoutTable;
    EXPECT_THROW(withoutTable.KeyOfStableId(101), zsys::ComError);
}

TEST_F(NoteCollectionTest, PurgeErasesNotesLeftWithNothing) {
    notes.Set(1, MakeNote(101, u"", {25}));
    notes.Set(2, MakeNote(102, u"text", {25, 3}));
    notes.Set(3, MakeNote(103, u"", {-1, 17}));
    EXPECT_EQ(notes.PurgeCategoriesOutside(0, 17), 1u);
    EXPECT_FALSE(notes.Contains(1));
    EXPECT_EQ(notes.Get(2).CategoryList(), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(notes.Get(3).CategoryList(), (std::vector<std::int32_t>{17}));
}

TEST_F(NoteCollectionTest, ReadListKeepsFileOrderWithoutAskingTheHost) {
    const NoteList list =
        NoteCollection::ReadList(File("<Note><id>999</id><comment><text>z</text></comment></Note>"
                                      "<Note><id>5</id></Note>"
                                      "<Note><id>101</id><marker><color>40</color></marker></Note>"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].Id(), 999);
    EXPECT_EQ((*list)[1].CategoryList(), (std::vector<std::int32_t>{40}));
    EXPECT_EQ(table->lookups, 0);
    EXPECT_TRUE(NoteCollection::ReadList(File(""))->empty());
}
