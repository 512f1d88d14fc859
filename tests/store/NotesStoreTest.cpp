#include "StoreFixture.h"

#include "store/NotesFile.h"
#include "core/loadException.h"
#include "core/umsgexception.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {
class NotesStoreTest : public StoreFixture {
protected:
    NotesStoreTest() { Table().keyOf = {{101, 1}, {102, 2}, {103, 3}, {-5, -50}}; }

    // A notes file of the city with the given content after `MapName`.
    static std::string File(const std::string& body, const std::string& city = "Town") {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DirectoryNotes><MapName>" + city + "</MapName>" +
               body + "</DirectoryNotes>\n";
    }
    static std::string TextNote(int id, const std::string& text) {
        return "<Note><id>" + std::to_string(id) + "</id><comment><text>" + text + "</text></comment></Note>";
    }
    std::u16string Put(const std::string& bytes, const std::string& name = "import.xml") {
        const std::u16string path = PathOf(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::vector<std::pair<std::int32_t, std::u16string>> Contents() const {
        std::vector<std::pair<std::int32_t, std::u16string>> contents;
        notes.ForEach([&](std::int32_t key, const CollectionElement& note) {
            contents.emplace_back(key, note.Text());
        });
        return contents;
    }
    // The message of the loadException that reading or merging the file raises.
    template <class Operation> std::u16string LoadFailure(Operation operation) {
        try {
            operation();
        } catch (const loadException& error) {
            return error.message();
        }
        return u"(nothing raised)";
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

using Entries = std::vector<std::pair<std::int32_t, std::u16string>>;
} // namespace

TEST_F(NotesStoreTest, WrittenFileHasTheNotesFileFormat) {
    notes.Set(2, Note(102, u"one\ntwo", {3, 11}));
    notes.Set(1, Note(101, u"", {0}));
    notes.Set(3, Note(103, u"a & b"));
    categories->SetName(1, u"<yellow>");
    const std::u16string path = PathOf("export.xml");
    EXPECT_EQ(store.WriteNotes(path), 3u);

    std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DirectoryNotes>\n    <MapName>Town</MapName>\n"
        "    <Categories>\n";
    for (int n = 0; n < 18; ++n)
        expected += "        <Category>" + (n == 1 ? std::string("&lt;yellow&gt;") : ToUtf8(Text(225 + n))) +
                    "</Category>\n";
    expected +=
        "    </Categories>\n"
        "    <Note>\n        <id>101</id>\n        <marker>\n            <color>0</color>\n        "
        "</marker>\n    </Note>\n"
        "    <Note>\n        <id>102</id>\n        <comment>\n            <text><![CDATA[one\ntwo]]></text>\n"
        "        </comment>\n        <marker>\n            <color>3</color>\n            <color>11</color>\n"
        "        </marker>\n    </Note>\n"
        "    <Note>\n        <id>103</id>\n        <comment>\n            <text><![CDATA[a & b]]></text>\n"
        "        </comment>\n    </Note>\n"
        "</DirectoryNotes>\n";
    std::string crlf;
    for (const char c : expected)
        c == '\n' ? crlf += "\r\n" : crlf += c;
    EXPECT_EQ(ReadBytes(path), crlf);
    EXPECT_EQ(std::system(("xmllint --noout '" + ToAnsi(path) + "'").c_str()), 0);
}

TEST_F(NotesStoreTest, NotesAndNamesReadBackAsTheyWereWritten) {
    const std::u16string texts[] = {
        u"line\nfeeds\n\ninside",        u"]]>",           u"a]]>b]]]]>c",
        u"Заметка о компании «Ромашка»", u"emoji 😀 and 𝄞", u"  <tag attr=\"v\">&amp;</tag>",
    };
    Table().keyOf.clear();
    for (int n = 0; n < 6; ++n) {
        Table().keyOf[1000 - n] = n * 10 - 20;
        notes.Set(n * 10 - 20, Note(1000 - n, texts[n], {17 - n, n}));
    }
    categories->SetName(5, u"Клиенты 😀");
    ASSERT_TRUE(store.SaveAtEnd());
    EXPECT_EQ(std::system(("xmllint --noout '" + ToAnsi(store.NotesFilePath()) + "'").c_str()), 0);

    NoteCollection read(zsys::ComPtr<ZeltCore::IHostTable>(view->table.get()));
    Categories readNames(language);
    NotesStore again(read, readNames, zsys::ComPtr<ZeltCore::IHostView>(view.get()), language, nullptr);
    EXPECT_EQ(again.LoadAtStartup(), 6u);
    std::vector<CollectionElement> written, back;
    notes.ForEach([&](std::int32_t, const CollectionElement& note) { written.push_back(note); });
    read.ForEach([&](std::int32_t, const CollectionElement& note) { back.push_back(note); });
    ASSERT_EQ(back.size(), written.size());
    for (std::size_t n = 0; n < back.size(); ++n) {
        EXPECT_EQ(back[n].Text(), written[n].Text()) << n;
        EXPECT_EQ(back[n].CategoryList(), written[n].CategoryList()) << n;
        EXPECT_EQ(back[n].Id(), written[n].Id()) << n;
    }
    for (int n = 0; n < 18; ++n)
        EXPECT_EQ(readNames.CategoryName(n), categories->CategoryName(n));
}

TEST_F(NotesStoreTest, WritingReplacesTheFileWholeAndLeavesNothingElseBehind) {
    const std::u16string path =
        Put("old content that is longer than the new file will be ........", "notes.xml");
    chmod(ToAnsi(path).c_str(), 0640);
    notes.Set(1, Note(101, u"new"));
    store.WriteNotes(path);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"notes.xml"});
    EXPECT_NE(ReadBytes(path).find("<![CDATA[new]]>"), std::string::npos);
    EXPECT_EQ(ReadBytes(path).find("old content"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(ToAnsi(path).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the file keeps its permissions";
}

TEST_F(NotesStoreTest, AFailedWriteRaisesExportFailedAndTouchesNothing) {
    std::filesystem::create_directory(folder / "taken");
    try {
        store.WriteNotes(PathOf("taken"));
        FAIL() << "writing over a folder fails";
    } catch (const tstd::umsgexception& error) {
        EXPECT_EQ(error.message(), u"Notes export failed.\nIs a directory");
    }
    try {
        store.WriteNotes(PathOf("missing/notes.xml"));
        FAIL() << "writing into a missing folder fails";
    } catch (const tstd::umsgexception& error) {
        EXPECT_EQ(error.message(), u"Notes export failed.\nNo such file or directory");
        EXPECT_STREQ(error.what(), "Notes export failed.\nNo such file or directory");
    }
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"taken"});
    EXPECT_TRUE(std::filesystem::is_empty(folder / "taken"));
}

TEST_F(NotesStoreTest, FilesThatAreNoNotesOfThisCityChangeNothing) {
    notes.Set(1, Note(101, u"mine", {2}));
    categories->SetName(0, u"kept");
    const std::u16string cannotRead = Text(195), notNotes = Text(196);
    const std::u16string otherCity = Text(197) + Text(198) + u"Town.";
    ASSERT_FALSE(otherCity.empty());
    const struct {
        const char* what;
        std::string bytes;
        std::u16string message;
    } cases[] = {
        {"empty", "", cannotRead},
        {"not XML", "just some words\r\n", notNotes},
        {"cut off", File(TextNote(102, "theirs")).substr(0, 90), notNotes},
        {"root without MapName", "<DirectoryNotes><Note><id>102</id></Note></DirectoryNotes>", notNotes},
        {"empty root", "<DirectoryNotes/>", notNotes},
        {"city differing in case", File(TextNote(102, "theirs"), "town"), otherCity},
        {"other city", File(TextNote(102, "theirs"), "Village"), otherCity},
        {"MapName without text", File(TextNote(102, "theirs"), ""), otherCity},
        {"MapName not UTF-8", File(TextNote(102, "theirs"), "\xFF"), otherCity},
        {"unclosed CDATA", File("<Note><id>102</id><comment><text><![CDATA[x</text></comment></Note>"),
         notNotes},
    };
    for (const auto& c : cases) {
        const std::u16string path = Put(c.bytes);
        EXPECT_EQ(LoadFailure([&] { store.ImportReplace(path); }), c.message) << c.what;
        EXPECT_EQ(LoadFailure([&] { store.ImportKeep(path); }), c.message) << c.what;
    }
    EXPECT_EQ(LoadFailure([&] { store.ImportReplace(PathOf("absent.xml")); }), cannotRead);
    EXPECT_EQ(LoadFailure([&] { store.ReadNoteList(PathOf("absent.xml")); }), cannotRead);
    EXPECT_EQ(LoadFailure([&] { store.ReadNoteList(Put("<a><b></a>")); }), notNotes);
    EXPECT_EQ(Contents(), (Entries{{1, u"mine"}}));
    EXPECT_EQ(categories->CategoryName(0), u"kept");
    EXPECT_EQ(refreshes, 0);

    view->cityName = u"";
    EXPECT_EQ(LoadFailure([&] { store.ImportReplace(Put(File("", ""))); }), Text(197) + Text(198) + u".")
        << "a city without a name matches no file";
}

TEST_F(NotesStoreTest, Utf16FilesAreReadWithAndWithoutByteOrderMark) {
    const std::u16string xml =
        u"<DirectoryNotes><MapName>Town</MapName>"
        u"<Note><id>101</id><comment><text>Привет 😀</text></comment></Note></DirectoryNotes>";
    for (const bool bom : {true, false}) {
        std::string bytes = bom ? "\xFF\xFE" : "";
        for (const char16_t unit : xml)
            bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        notes.RemoveAll([](std::int32_t) {});
        EXPECT_EQ(store.ImportKeep(Put(bytes)), 1) << bom;
        EXPECT_EQ(Contents(), (Entries{{1, u"Привет 😀"}})) << bom;
    }
}

TEST_F(NotesStoreTest, UnknownAndRepeatedElementsAndOddNumbersAreReadByTheFirstOfEach) {
    const std::string body =
        "<Unknown><Note><id>103</id></Note></Unknown>"
        "<Note><id>101</id><id>102</id><comment><text>first</text></comment>"
        "<comment><text>second</text></comment><extra/></Note>"
        "<Note><id>99999999999</id><comment><text>huge</text></comment></Note>"
        "<Note><id>-0005x</id><marker><color>+7</color><color>junk</color></marker></Note>";
    Table().keyOf[2147483647] = 9;
    EXPECT_EQ(store.ImportReplace(Put(File(body))), 3);
    EXPECT_EQ(Contents(), (Entries{{-50, u""}, {1, u"first"}, {9, u"huge"}}));
    EXPECT_EQ(notes.Get(-50).CategoryList(), (std::vector<std::int32_t>{7, 0}));
    EXPECT_EQ(store.ImportKeep(Put(File("<MapName>Other</MapName>"))), 0) << "the first MapName counts";
}

TEST_F(NotesStoreTest, KeepModeOnlyFillsCompaniesWithoutNotesAndKeepsTheNames) {
    notes.Set(2, Note(102, u"mine"));
    std::string names = "<Categories>";
    for (int n = 0; n < 18; ++n)
        names += "<Category>file " + std::to_string(n) + "</Category>";
    names += "</Categories>";
    const std::u16string path =
        Put(File(names + TextNote(102, "theirs") + TextNote(101, "new") + TextNote(999, "gone")));

    EXPECT_EQ(store.ImportKeep(path), 1);
    EXPECT_EQ(Contents(), (Entries{{1, u"new"}, {2, u"mine"}}));
    EXPECT_EQ(categories->CategoryName(0), u"red");
    EXPECT_EQ(refreshes, 1);

    EXPECT_EQ(store.ImportKeep(path), 0);
    EXPECT_EQ(refreshes, 1) << "a merge that changed nothing shows nothing anew";

    EXPECT_EQ(store.ImportReplace(path), 2);
    EXPECT_EQ(Contents(), (Entries{{1, u"new"}, {2, u"theirs"}}));
    EXPECT_EQ(categories->CategoryName(0), u"file 0");
    EXPECT_EQ(refreshes, 2);
}

TEST_F(NotesStoreTest, TheCountIsNotesTakenMinusNotesErasedForUnknownCategories) {
    const std::u16string path =
        Put(File("<Note><id>101</id><marker><color>25</color></marker></Note>"
                 "<Note><id>102</id><marker><color>40</color><color>4</color></marker></Note>"
                 "<Note><id>103</id><marker><color>-1</color></marker></Note>"));
    EXPECT_EQ(store.ImportReplace(path), 1);
    EXPECT_EQ(Contents(), (Entries{{2, u""}}));
    EXPECT_EQ(notes.Get(2).CategoryList(), (std::vector<std::int32_t>{4}));
    EXPECT_EQ(refreshes, 1);

    notes.RemoveAll([](std::int32_t) {});
    EXPECT_EQ(store.ImportKeep(Put(File("<Note><id>101</id><marker><color>25</color></marker></Note>"))), 0);
    EXPECT_EQ(refreshes, 2) << "erasing a note is a change";
}

TEST_F(NotesStoreTest, ReadNoteListReadsAnyCityWithoutMerging) {
    const NoteList list =
        store.ReadNoteList(Put(File("<Note><id>101</id><marker><color>40</color></marker></Note>" +
                                        TextNote(102, "b") + TextNote(999, "c"),
                                    "Elsewhere")));
    ASSERT_EQ(list->size(), 2u) << "a note whose only category is unknown is dropped";
    EXPECT_EQ((*list)[0].Text(), u"b");
    EXPECT_EQ((*list)[1].Id(), 999);
    EXPECT_EQ(notes.Count(), 0u);
    EXPECT_EQ(Table().lookups, 0);
}

TEST_F(NotesStoreTest, OnlyADifferentStoredNoteIsAConflict) {
    notes.Set(1, Note(101, u"same", {2, 5}));
    notes.Set(2, Note(102, u"mine"));
    const std::u16string exported = PathOf("export.xml");
    store.WriteNotes(exported);
    EXPECT_TRUE(store.NoConflicts(store.ReadNoteList(exported)));
    EXPECT_EQ(store.ImportKeep(exported), 0);

    auto list = std::make_shared<std::vector<CollectionElement>>();
    list->push_back(Note(101, u"same", {5, 2}));
    list->push_back(Note(103, u"new company"));
    list->push_back(Note(999, u"unknown company"));
    EXPECT_TRUE(store.NoConflicts(list));
    list->push_back(Note(102, u"theirs"));
    EXPECT_FALSE(store.NoConflicts(list));

    notes.Set(0, Note(0, u"key zero"));
    Table().lookupResult = E_FAIL;
    EXPECT_FALSE(store.NoConflicts(std::make_shared<std::vector<CollectionElement>>(1, Note(101, u"x"))))
        << "a company the host cannot tell about counts as key 0";
}

TEST_F(NotesStoreTest, HostFailuresWhileMergingAreRaisedAsComErrors) {
    notes.Set(3, Note(103, u"old"));
    Table().failAfter = 1;
    const std::u16string path = Put(File(TextNote(101, "a") + TextNote(102, "b")));
    EXPECT_THROW(store.ImportReplace(path), zsys::ComError);
    EXPECT_EQ(Contents(), (Entries{{1, u"a"}, {3, u"old"}})) << "notes merged before the failure stay";

    Table().failAfter = -1;
    view->nameResult = E_UNEXPECTED;
    try {
        store.ImportKeep(path);
        FAIL() << "the failure is raised";
    } catch (const zsys::ComError& error) {
        EXPECT_EQ(error.code(), E_UNEXPECTED);
        EXPECT_EQ(error.iid(), ZeltCore::IHostBase::iid);
    }
    EXPECT_THROW(store.WriteNotes(PathOf("out.xml")), zsys::ComError);
}

TEST_F(NotesStoreTest, StartupReadsTheCityFileInPlaceOfWhatWasInMemory) {
    notes.Set(3, Note(103, u"stale"));
    std::filesystem::create_directories(folder / "Zelt/DirNotes");
    WriteBytes(store.NotesFilePath(), File(TextNote(101, "a") + TextNote(102, "b")));
    WriteBytes(PathOf("Zelt/DirNotes/Town.dns"), "103_t: legacy\n");
    EXPECT_EQ(store.LoadAtStartup(), 2u);
    EXPECT_EQ(Contents(), (Entries{{1, u"a"}, {2, u"b"}}));
    EXPECT_EQ(store.NotesFilePath(), PathOf("Zelt/DirNotes/Data_Town.xml"));
}

TEST_F(NotesStoreTest, StartupTakesOverTheLegacyFileOnlyWhenTheCityHasNoNotesFile) {
    std::filesystem::create_directories(folder / "Zelt/DirNotes");
    WriteBytes(PathOf("Zelt/DirNotes/Town.dns"), "103_t: legacy\r\n101_c: 4\n");
    EXPECT_EQ(store.LoadAtStartup(), 2u);
    EXPECT_EQ(Contents(), (Entries{{1, u""}, {3, u"legacy"}}));

    notes.RemoveAll([](std::int32_t) {});
    WriteBytes(store.NotesFilePath(), File(""));
    EXPECT_EQ(store.LoadAtStartup(), 0u) << "an empty notes file still counts as the city's notes";
}

TEST_F(NotesStoreTest, AnUnreadableNotesFileIsKeptAsideBeforeItIsReplaced) {
    std::filesystem::create_directories(folder / "Zelt/DirNotes");
    const std::u16string path = store.NotesFilePath();
    const std::string damaged = File(TextNote(101, "precious")).substr(0, 80);
    WriteBytes(path, damaged);
    WriteBytes(PathOf("Zelt/DirNotes/Town.dns"), "103_t: legacy\n");
    EXPECT_EQ(store.LoadAtStartup(), 0u) << "no legacy import over an existing notes file";

    notes.Set(2, Note(102, u"new"));
    ASSERT_TRUE(store.SaveAtEnd());
    EXPECT_EQ(ReadBytes(path + u".unreadable"), damaged);
    EXPECT_NE(ReadBytes(path).find("new"), std::string::npos);
    ASSERT_TRUE(store.SaveAtEnd());
    EXPECT_FALSE(std::filesystem::exists(ToAnsi(path) + ".unreadable-2"))
        << "a readable file is simply replaced";
}

TEST_F(NotesStoreTest, SaveAtEndMakesTheNotesFolderAndFailsQuietly) {
    notes.Set(1, Note(101, u"n"));
    ASSERT_TRUE(store.SaveAtEnd());
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Zelt/DirNotes/Data_Town.xml"));

    WriteBytes(PathOf("blocked"), "a file where a folder should be");
    zsys::SetAppDataFolder((folder / "blocked").string());
    EXPECT_FALSE(store.SaveAtEnd());
    view->baseResult = E_FAIL;
    zsys::SetAppDataFolder(folder.string());
    EXPECT_FALSE(store.SaveAtEnd());
}

TEST(NotesFile, PathsFollowTheApplicationDataFolderAndTheCityFile) {
    EXPECT_EQ(NotesFile::Join(u"", u"a"), u"a");
    EXPECT_EQ(NotesFile::Join(u"/x", u"a"), u"/x/a");
    EXPECT_EQ(NotesFile::Join(u"/x/", u"a"), u"/x/a");

    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string savedData = data ? data : "";
    setenv("XDG_DATA_HOME", "/data/me", 1);
    EXPECT_EQ(NotesFile::Folder(), u"/data/me/Zelt/DirNotes/");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("HOME", "/home/me", 1);
    EXPECT_EQ(NotesFile::Folder(), u"/home/me/.local/share/Zelt/DirNotes/");
    zsys::SetAppDataFolder("/chosen/");
    EXPECT_EQ(NotesFile::Folder(), u"/chosen/Zelt/DirNotes/");
    zsys::SetAppDataFolder("");
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_EQ(NotesFile::Folder(), u"");

    auto view = zsys::Make<FakeView>();
    EXPECT_EQ(NotesFile::PathFor(view.get()), u"") << "no folder, no notes file";
    zsys::SetAppDataFolder("/d");
    view->filePath = u"/maps/v1.2/Data_Town.dat";
    EXPECT_EQ(NotesFile::PathFor(view.get()), u"/d/Zelt/DirNotes/Data_Town.xml");
    view->filePath = u"C:\\Maps\\Data_Big.City.dat";
    EXPECT_EQ(NotesFile::PathFor(view.get()), u"/d/Zelt/DirNotes/Data_Big.City.xml");
    view->filePath = u"/maps/v1.2/" + std::u16string(300, u'x');
    EXPECT_EQ(NotesFile::PathFor(view.get()), u"/d/Zelt/DirNotes/" + std::u16string(255, u'x') + u".xml");
    view->cityName = u"Санкт-Петербург";
    EXPECT_EQ(NotesFile::LegacyPathFor(view.get()), u"/d/Zelt/DirNotes/Санкт-Петербург.dns");
    zsys::SetAppDataFolder("");

    if (home) setenv("HOME", savedHome.c_str(), 1);
    if (data) setenv("XDG_DATA_HOME", savedData.c_str(), 1);
}

TEST(UException, WhatGivesTheMessageInTheAnsiCodePage) {
    const loadException error(u"Не удалось 😀");
    const std::exception& standard = error;
    EXPECT_STREQ(
        standard.what(),
        "\xD0\x9D\xD0\xB5 \xD1\x83\xD0\xB4\xD0\xB0\xD0\xBB\xD0\xBE\xD1\x81\xD1\x8C \xF0\x9F\x98\x80");
    const tstd::uexception& user = error;
    EXPECT_EQ(user.message(), u"Не удалось 😀");
}
