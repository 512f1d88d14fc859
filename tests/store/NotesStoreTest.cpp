// The notes file as export and import meet it: its format, what reads back, how a write replaces a
// file, the files that are refused, the three merges and the host failures met while merging.
#include "StoreFixture.h"

#include "core/loadException.h"
#include "core/umsgexception.h"
#include "store/NotesFile.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {
using Entries = std::vector<std::pair<std::int32_t, std::u16string>>;

class NotesStoreTest : public StoreFixture {
protected:
    // A notes file of the city with the given content after `MapName`.
    static std::string File(const std::string& body, const std::string& city = "Testford") {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DirectoryNotes><MapName>" + city + "</MapName>" +
               body + "</DirectoryNotes>\n";
    }
    static std::string TextNote(int id, const std::string& text) {
        return "<Note><id>" + std::to_string(id) + "</id><comment><text>" + text + "</text></comment></Note>";
    }
    static std::string ColorNote(int id, const std::string& colors) {
        return "<Note><id>" + std::to_string(id) + "</id><marker>" + colors + "</marker></Note>";
    }
    std::u16string Put(const std::string& bytes, const std::string& name = "import.xml") {
        WriteFile(folder / name, bytes);
        return PathOf(name);
    }
    // Each note as its text followed by "#" and the number of each category.
    Entries Contents() const {
        Entries contents;
        notes.ForEach([&](std::int32_t key, const CollectionElement& note) {
            std::u16string described = note.Text();
            for (const std::int32_t category : note.CategoryList())
                described += u"#" + FromUtf8(std::to_string(category));
            contents.emplace_back(key, described);
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
};
} // namespace

TEST_F(NotesStoreTest, WrittenFileHasTheNotesFileFormat) {
    notes.Set(kDentist, Note(kDentistStable, u"one\ntwo", {3, 11}));
    notes.Set(kCafe, Note(kCafeStable, u"", {0}));
    notes.Set(kTaxis, Note(kTaxisStable, u"a & b"));
    categories->SetName(1, u"<yellow>");
    const std::u16string path = PathOf("export.xml");
    EXPECT_EQ(store.WriteNotes(path), 3u);

    std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DirectoryNotes>\n"
                           "    <MapName>Testford</MapName>\n    <Categories>\n";
    for (int n = 0; n < 18; ++n)
        expected += "        <Category>" + (n == 1 ? std::string("&lt;yellow&gt;") : ToUtf8(Text(225 + n))) +
                    "</Category>\n";
    expected +=
        "    </Categories>\n"
        "    <Note>\n        <id>1001</id>\n        <marker>\n            <color>0</color>\n        "
        "</marker>\n    </Note>\n"
        "    <Note>\n        <id>-1002</id>\n        <comment>\n            "
        "<text><![CDATA[one\ntwo]]></text>\n"
        "        </comment>\n        <marker>\n            <color>3</color>\n            <color>11</color>\n"
        "        </marker>\n    </Note>\n"
        "    <Note>\n        <id>11</id>\n        <comment>\n            <text><![CDATA[a & b]]></text>\n"
        "        </comment>\n    </Note>\n"
        "</DirectoryNotes>\n";
    std::string crlf;
    for (const char c : expected)
        c == '\n' ? crlf += "\r\n" : crlf += c;
    EXPECT_EQ(ReadFile(ToAnsi(path)), crlf);
}

TEST_F(NotesStoreTest, NotesAndNamesReadBackAsTheyWereWritten) {
    const struct {
        std::int32_t key, stableId;
        std::u16string written, read = {}; // empty: as written
    } texts[] = {
        {kCafe, kCafeStable, u"line\nfeeds\n\ninside"},
        {kDentist, kDentistStable, u"a]]>b]]]]>c"},
        {kTaxis, kTaxisStable, u"Заметка «Ромашка» " + std::u16string(600, u'ж') + u" 😀 𝄞"},
        {kEdge, kEdgeStable, u"  <tag attr=\"v\">&amp;</tag>"},
        // A NUL cannot stand in the file: it is left out and the rest of the text kept.
        {kGhost, kGhostStable, std::u16string(u"NUL\0 from a legacy file\0", 24), u"NUL from a legacy file"},
    };
    for (int n = 0; n < 5; ++n)
        notes.Set(texts[n].key, Note(texts[n].stableId, texts[n].written, {17 - n, n}));
    // Whatever the settings dialog accepts as a name.
    const std::u16string names[] = {u"   ",          u" leading and trailing ",
                                    u"Fish & chips", u"\"quoted\" 'too'",
                                    u"two\nlines",   u"\n",
                                    u"\t",           u"Клиенты 😀",
                                    u"a  b"};
    for (int n = 0; n < 9; ++n)
        categories->SetName(2 * n, names[n]);
    const std::u16string path = PathOf("notes.xml");
    store.WriteNotes(path);
    EXPECT_EQ(std::system(("xmllint --noout '" + ToAnsi(path) + "'").c_str()), 0);

    NoteCollection read(TableOf(zelt));
    Categories readNames(language);
    EXPECT_EQ(NotesStore(read, readNames, view, language, nullptr).ImportReplace(path), 5);
    for (int n = 0; n < 5; ++n) {
        const CollectionElement back = read.Get(texts[n].key);
        EXPECT_EQ(back.Text(), texts[n].read.empty() ? texts[n].written : texts[n].read) << n;
        EXPECT_EQ(back.CategoryList(), (std::vector<std::int32_t>{17 - n, n})) << n;
        EXPECT_EQ(back.Id(), texts[n].stableId) << n;
    }
    for (int n = 0; n < 18; ++n)
        EXPECT_EQ(readNames.CategoryName(n), categories->CategoryName(n)) << n;
}

TEST_F(NotesStoreTest, WritingReplacesTheFileWholeAndLeavesNothingElseBehind) {
    const std::u16string path =
        Put("old content that is longer than the new file will be ........", "notes.xml");
    chmod(ToAnsi(path).c_str(), 0640);
    notes.Set(kCafe, Note(kCafeStable, u"new"));
    store.WriteNotes(path);
    EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"notes.xml"});
    EXPECT_NE(ReadFile(ToAnsi(path)).find("<![CDATA[new]]>"), std::string::npos);
    EXPECT_EQ(ReadFile(ToAnsi(path)).find("old content"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(ToAnsi(path).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the file keeps its permissions";
}

// A folder that does not exist or cannot be written is refused through the host's settings.
TEST_F(NotesStoreTest, AFailedWriteRaisesExportFailedWithTheSystemsReasonAndTouchesNothing) {
    std::filesystem::create_directory(folder.Path() / "taken");
    try {
        store.WriteNotes(PathOf("taken"));
        ADD_FAILURE() << "a folder was written as a file";
    } catch (const tstd::umsgexception& error) {
        EXPECT_EQ(error.message(), u"Notes export failed.\nIs a directory");
        EXPECT_STREQ(error.what(), "Notes export failed.\nIs a directory");
    }
    EXPECT_EQ(FolderNames(folder.Path()), std::set<std::string>{"taken"});
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "taken"));
}

// An empty file, one that is no XML, one without MapName and another city's are refused through the
// settings' import in the host, with their messages; here, the files at the edges of those.
TEST_F(NotesStoreTest, FilesThatAreNoNotesOfThisCityChangeNothing) {
    notes.Set(kCafe, Note(kCafeStable, u"mine"));
    categories->SetName(0, u"kept");
    const std::u16string cannotRead = Text(195), notNotes = Text(196);
    const std::u16string otherCity = Text(197) + Text(198) + u"Testford.";
    const struct {
        const char* what;
        std::string bytes;
        std::u16string message;
    } cases[] = {
        {"cut off", File(TextNote(kDentistStable, "theirs")).substr(0, 90), notNotes},
        {"empty root", "<DirectoryNotes/>", notNotes},
        {"city differing in case", File(TextNote(kDentistStable, "theirs"), "testford"), otherCity},
        {"MapName without text", File(TextNote(kDentistStable, "theirs"), ""), otherCity},
        {"MapName of blanks", File(TextNote(kDentistStable, "theirs"), "  "), otherCity},
        {"MapName not UTF-8", File(TextNote(kDentistStable, "theirs"), "\xFF"), otherCity},
        {"unclosed CDATA", File("<Note><id>-1002</id><comment><text><![CDATA[x</text></comment></Note>"),
         notNotes},
    };
    for (const auto& c : cases) {
        const std::u16string path = Put(c.bytes);
        EXPECT_EQ(LoadFailure([&] { store.ImportReplace(path); }), c.message) << c.what;
        EXPECT_EQ(LoadFailure([&] { store.ImportKeep(path); }), c.message) << c.what;
    }
    // What is no regular file cannot be read, and a pipe with no writer must not hold the reader.
    ASSERT_EQ(mkfifo((folder / "pipe.xml").c_str(), 0600), 0);
    for (const char* name : {"absent.xml", "pipe.xml", "" /* the folder */})
        EXPECT_EQ(LoadFailure([&] { store.ImportReplace(PathOf(name)); }), cannotRead) << name;
    EXPECT_EQ(LoadFailure([&] { store.ReadNoteList(PathOf("absent.xml")); }), cannotRead);
    EXPECT_EQ(LoadFailure([&] { store.ReadNoteList(Put("<a><b></a>")); }), notNotes);
    EXPECT_EQ(Contents(), (Entries{{kCafe, u"mine"}}));
    EXPECT_EQ(categories->CategoryName(0), u"kept");
    EXPECT_EQ(refreshes, 0);
}

// A file with the byte order mark is imported through the host's settings.
TEST_F(NotesStoreTest, Utf16FilesAreReadWithoutAByteOrderMarkToo) {
    std::string bytes;
    for (const char16_t unit :
         std::u16string(u"<DirectoryNotes><MapName>Testford</MapName><Note><id>1001</id>"
                        u"<comment><text>Привет 😀</text></comment></Note></DirectoryNotes>"))
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    EXPECT_EQ(store.ImportKeep(Put(bytes)), 1);
    EXPECT_EQ(Contents(), (Entries{{kCafe, u"Привет 😀"}}));
}

TEST_F(NotesStoreTest, NotesAreEveryElementAfterTheFirstNoteAndBlanksHoldNoNumber) {
    const std::string body =
        "<Unknown><Note><id>11</id></Note></Unknown>"
        "<Note><id>1001</id><comment><text>first</text></comment><extra/></Note>"
        "<Other><id>-99999999999</id><comment><text>huge</text></comment></Other>"
        "<Note><id>-01002x</id><marker><color> </color><color>+7</color><color>junk</color>"
        "</marker></Note>";
    EXPECT_EQ(store.ImportReplace(Put(File(body))), 3);
    EXPECT_EQ(Contents(), (Entries{{kCafe, u"first"}, {kDentist, u"#7#0"}, {kEdge, u"huge"}}))
        << "a colour of blanks has no number";
    EXPECT_EQ(store.ImportKeep(Put(File("<MapName>Other</MapName>"))), 0) << "the first MapName counts";
}

TEST_F(NotesStoreTest, MergesTakeTheFilesNotesByModeAndCountThoseErasedForUnknownCategories) {
    std::string fileNames = "<Categories>";
    for (int n = 0; n < 18; ++n)
        fileNames += "<Category>file " + std::to_string(n) + "</Category>";
    fileNames += "</Categories>";
    const std::string theirs = TextNote(kDentistStable, "theirs") + TextNote(kCafeStable, "new") +
                               TextNote(999, "unknown company") + "<Note><id>11</id></Note>";
    const std::string twice = TextNote(kCafeStable, "first") + TextNote(kCafeStable, "second");
    // Companies out of key order, two of them twice.
    const std::string unordered = TextNote(kTaxisStable, "t1") + TextNote(kCafeStable, "c1") +
                                  TextNote(kTaxisStable, "t2") + TextNote(kDentistStable, "d") +
                                  TextNote(kCafeStable, "c2");
    const std::string unknown = ColorNote(kCafeStable, "<color>25</color>") +
                                ColorNote(kTaxisStable, "<color>40</color><color>4</color>") +
                                ColorNote(kEdgeStable, "<color>-1</color>");
    const std::string erased = ColorNote(kCafeStable, "<color>25</color>");
    const struct {
        const char* what;
        bool replace;
        std::string body;
        int result;
        Entries after;
        bool refreshed;
    } cases[] = {
        {"keep", false, fileNames + theirs, 1, {{kCafe, u"new"}, {kDentist, u"mine"}}, true},
        {"replace", true, fileNames + theirs, 2, {{kCafe, u"new"}, {kDentist, u"theirs"}}, true},
        {"keep, twice", false, twice, 1, {{kCafe, u"first"}, {kDentist, u"mine"}}, true},
        {"replace, twice", true, twice, 2, {{kCafe, u"second"}, {kDentist, u"mine"}}, true},
        {"keep, mixed", false, unordered, 2, {{kCafe, u"c1"}, {kDentist, u"mine"}, {kTaxis, u"t1"}}, true},
        {"replace, mixed", true, unordered, 5, {{kCafe, u"c2"}, {kDentist, u"d"}, {kTaxis, u"t2"}}, true},
        {"replace, unknown categories", true, unknown, 1, {{kDentist, u"mine"}, {kTaxis, u"#4"}}, true},
        {"keep, a note erased", false, erased, 0, {{kDentist, u"mine"}}, true},
        {"keep, nothing new", false, TextNote(kDentistStable, "theirs"), 0, {{kDentist, u"mine"}}, false},
        {"replace, no Note element", true, "<note><id>1001</id></note>", 0, {{kDentist, u"mine"}}, false},
    };
    for (const auto& c : cases) {
        notes.RemoveAll();
        notes.Set(kDentist, Note(kDentistStable, u"mine"));
        Categories names(language);
        NotesStore merging(notes, names, view, language, [this] { ++refreshes; });
        refreshes = 0;
        const std::u16string path = Put(File(c.body));
        EXPECT_EQ(c.replace ? merging.ImportReplace(path) : merging.ImportKeep(path), c.result) << c.what;
        EXPECT_EQ(Contents(), c.after) << c.what;
        EXPECT_EQ(refreshes, c.refreshed ? 1 : 0) << c.what;
        const bool namesRead = c.replace && c.body.starts_with(fileNames);
        EXPECT_EQ(names.CategoryName(0), namesRead ? u"file 0" : u"red") << c.what;
    }
}

TEST_F(NotesStoreTest, ReadNoteListReadsAnyCityWithoutMergingOrAskingTheHost) {
    Faults().Fail("IHostTable.ObjectByStableId", E_FAIL);
    const NoteList list = store.ReadNoteList(
        Put(File(ColorNote(kCafeStable, "<color>40</color>") + TextNote(kDentistStable, "b") +
                     "<Note><id>5</id></Note>" + TextNote(999, "c"),
                 "Elsewhere")));
    ASSERT_EQ(list->size(), 2u) << "empty notes and one whose only category is unknown are dropped";
    EXPECT_EQ((*list)[0].Text(), u"b");
    EXPECT_EQ((*list)[1].Id(), 999);
    EXPECT_EQ(notes.Count(), 0u);
    EXPECT_EQ(Faults().Calls("IHostTable.ObjectByStableId"), 0u);
}

TEST_F(NotesStoreTest, OnlyADifferentStoredNoteIsAConflict) {
    notes.Set(kCafe, Note(kCafeStable, u"same", {2, 5}));
    notes.Set(kDentist, Note(kDentistStable, u"mine"));
    auto list = std::make_shared<std::vector<CollectionElement>>();
    list->push_back(Note(kCafeStable, u"same", {5, 2}));
    list->push_back(Note(kTaxisStable, u"new company"));
    list->push_back(Note(999, u"unknown company"));
    EXPECT_TRUE(store.NoConflicts(list)) << "the same text and set of categories, a new or unknown company";
    for (const CollectionElement& differing :
         {Note(kDentistStable, u"Mine"), Note(kDentistStable, u"mine", {1}),
          Note(kCafeStable, u"same", {2, 6})}) {
        list->push_back(differing);
        EXPECT_FALSE(store.NoConflicts(list)) << ToUtf8(differing.Text());
        list->pop_back();
    }

    notes.Set(0, Note(0, u"key zero"));
    Faults().Fail("IHostTable.ObjectByStableId", E_FAIL);
    EXPECT_FALSE(
        store.NoConflicts(std::make_shared<std::vector<CollectionElement>>(1, Note(kCafeStable, u"x"))))
        << "a company the host cannot tell about counts as key 0";
}

TEST_F(NotesStoreTest, HostFailuresWhileMergingAreRaisedAndKeepWhatWasMergedBefore) {
    const std::u16string path = Put(File(TextNote(kCafeStable, "a") + TextNote(kDentistStable, "b")));
    const struct {
        const char* operation;
        unsigned fromCall;
        IID iid;
        Entries after; // with the taxi firm's note stored before
    } cases[] = {
        {"IHostTable.ObjectByStableId", 2, ZeltCore::IHostTable::iid, {{kCafe, u"a"}, {kTaxis, u"old"}}},
        {"IHostDirObject.Id", 2, ZeltCore::IHostDirObject::iid, {{kCafe, u"a"}, {kTaxis, u"old"}}},
        {"IHostBase.Name", 1, ZeltCore::IHostBase::iid, {{kTaxis, u"old"}}},
        {"IHostView.CurrentBase", 1, ZeltCore::IHostView::iid, {{kTaxis, u"old"}}},
    };
    for (const auto& c : cases) {
        notes.RemoveAll();
        notes.Set(kTaxis, Note(kTaxisStable, u"old"));
        Faults().Fail(c.operation, E_UNEXPECTED, c.fromCall);
        EXPECT_TRUE(RaisesComError([&] { store.ImportReplace(path); }, E_UNEXPECTED, c.iid)) << c.operation;
        EXPECT_EQ(Contents(), c.after) << c.operation;
        Faults().Fail(c.operation, E_UNEXPECTED);
        EXPECT_EQ(c.fromCall == 1,
                  RaisesComError([&] { store.WriteNotes(PathOf("out.xml")); }, E_UNEXPECTED, c.iid))
            << "the city's name is written, its companies are not looked up";
        Faults().Clear();
    }
}

TEST_F(NotesStoreTest, AWriteThroughASymbolicLinkReplacesItsTarget) {
    namespace fs = std::filesystem;
    fs::create_directories(folder.Path() / "real");
    const struct {
        const char* what;
        fs::path link, target;
    } cases[] = {
        {"absolute", "absolute.xml", folder.Path() / "real/absolute.xml"},
        {"relative", "relative.xml", "real/relative.xml"},
        {"dangling", "dangling.xml", "real/not-yet.xml"},
        {"a link to a link", "chain.xml", "absolute.xml"},
    };
    notes.Set(kCafe, Note(kCafeStable, u"through the link"));
    for (const auto& c : cases) {
        if (c.what != std::string("dangling") && c.what != std::string("a link to a link"))
            WriteFile(c.target.is_absolute() ? c.target : folder.Path() / c.target, "old notes");
        fs::create_symlink(c.target, folder.Path() / c.link);
        store.WriteNotes(PathOf(c.link.string()));
        EXPECT_TRUE(fs::is_symlink(folder.Path() / c.link)) << c.what;
        EXPECT_EQ(fs::read_symlink(folder.Path() / c.link), c.target) << c.what;
        EXPECT_NE(ReadFile(folder.Path() / c.link).find("through the link"), std::string::npos) << c.what;
    }
    EXPECT_EQ(FolderNames(folder.Path()),
              (std::set<std::string>{"absolute.xml", "chain.xml", "dangling.xml", "real", "relative.xml"}));
    EXPECT_EQ(FolderNames(folder.Path() / "real"),
              (std::set<std::string>{"absolute.xml", "not-yet.xml", "relative.xml"}))
        << "no temporary file is left beside the targets";
}

TEST(NotesFile, PathsFollowTheApplicationDataFolderAndTheCityFile) {
    EXPECT_EQ(NotesFile::Join(u"", u"a"), u"a");

    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string savedData = data ? data : "";
    setenv("XDG_DATA_HOME", "/data/me", 1);
    EXPECT_EQ(NotesFile::Folder(), u"/data/me/Zelt/DirNotes/");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("HOME", "/home/me", 1);
    EXPECT_EQ(NotesFile::Folder(), u"/home/me/.local/share/Zelt/DirNotes/");
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_EQ(NotesFile::Folder(), u"");
    if (home) setenv("HOME", savedHome.c_str(), 1);
    if (data) setenv("XDG_DATA_HOME", savedData.c_str(), 1);

    // A city file's base name, however many dots it has and whatever separates its folders.
    TempFolder cities("cities");
    const std::string file = cities / "C:\\Maps\\Data_Big.City.dat";
    std::filesystem::copy_file(TestfordPath(), file);
    host::ZeltHost zelt({"", 1033, file, "/chosen/"});
    zsys::ComPtr<ZeltCore::IHostView> view(&zelt.View());
    EXPECT_EQ(NotesFile::PathFor(view.get()), u"/chosen/Zelt/DirNotes/Data_Big.City.xml");
    EXPECT_EQ(NotesFile::LegacyPathFor(view.get()), u"/chosen/Zelt/DirNotes/Testford.dns");
    zsys::SetAppDataFolder("");
}
