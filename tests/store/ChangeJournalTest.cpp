// The journal of a session: what a host that dies leaves is replayed at the next start, torn or damaged
// journals lose nothing that was acknowledged, a long session folds its journal into the notes file, and
// two hosts of one city keep each other's changes.
#include "StoreFixture.h"

#include <fstream>

namespace {
namespace fs = std::filesystem;

// One more host's plug-in store on the fixture's city; dropping it without SaveAtEnd is a host killed.
struct Session {
    Session(zsys::ComPtr<ZeltCore::IHostView> view, std::shared_ptr<LangLocal> language,
            zsys::ComPtr<ZeltCore::IHostTable> table)
        : notes(std::move(table)), categories(language), store(notes, categories, view, language, nullptr) {
        store.LoadAtStartup();
    }
    NoteCollection notes;
    Categories categories;
    NotesStore store;
};

class ChangeJournalTest : public StoreFixture {
protected:
    std::unique_ptr<Session> Start() { return std::make_unique<Session>(view, language, TableOf(zelt)); }
    fs::path NotesFolder() const { return folder.Path() / "Zelt" / "DirNotes"; }
    // The files beside the notes file whose name holds the word.
    std::vector<fs::path> FilesWith(const std::string& word) const {
        std::vector<fs::path> found;
        for (const std::string& name : FolderNames(NotesFolder()))
            if (name.find(word) != std::string::npos) found.push_back(NotesFolder() / name);
        return found;
    }
    fs::path OnlyJournal() const {
        const auto journals = FilesWith(".journal-");
        return journals.size() == 1 ? journals.front() : fs::path("(not one journal)");
    }
};
} // namespace

TEST_F(ChangeJournalTest, ATornLastRecordIsDroppedAndADamagedOneBeforeItIsKeptAsideLosingNothingElse) {
    enum class Spoil { TearLast, SecondsPayload, SecondsLength };
    struct Case {
        const char* name;
        Spoil spoil;
        bool renamed, dentist, keptAside;
    };
    for (const Case& c : {Case{"torn tail", Spoil::TearLast, true, false, false},
                          Case{"damaged middle", Spoil::SecondsPayload, false, true, true},
                          Case{"middle length past the end", Spoil::SecondsLength, false, true, true}}) {
        SCOPED_TRACE(c.name);
        fs::remove_all(NotesFolder());
        { // a host killed after three acknowledged changes: a note, a renamed category, another note
            auto host = Start();
            host->notes.Set(kCafe, Note(kCafeStable, u"first", {2}));
            host->categories.SetName(0, u"Urgent");
            host->notes.Set(kDentist, Note(kDentistStable, u"second"));
        }
        const fs::path journal = OnlyJournal();
        if (c.spoil == Spoil::TearLast) {
            fs::resize_file(journal, fs::file_size(journal) - 3);
        } else { // the second record starts past the first's 8-byte header and payload
            std::uint32_t length = 0;
            std::ifstream(journal, std::ios::binary).read(reinterpret_cast<char*>(&length), sizeof length);
            std::fstream bytes(journal, std::ios::binary | std::ios::in | std::ios::out);
            const std::uint32_t pastTheEnd = 1u << 20;
            if (c.spoil == Spoil::SecondsPayload)
                bytes.seekp(8 + std::streamoff(length) + 9).put('\x7f');
            else
                bytes.seekp(8 + std::streamoff(length)).write(reinterpret_cast<const char*>(&pastTheEnd), 4);
        }
        Start(); // a host that replayed the journal and was killed: replaying it again changes nothing
        auto next = Start();
        EXPECT_EQ(next->notes.Get(kCafe), Note(kCafeStable, u"first", {2}));
        EXPECT_EQ(next->categories.CategoryName(0) == u"Urgent", c.renamed);
        EXPECT_EQ(next->notes.Contains(kDentist), c.dentist);
        ASSERT_TRUE(next->store.SaveAtEnd());
        EXPECT_TRUE(FilesWith(".journal-").size() == (c.keptAside ? 1u : 0u));
        EXPECT_EQ(FilesWith(".unreadable").size(), c.keptAside ? 1u : 0u);
    }
}

TEST_F(ChangeJournalTest, ALongSessionFoldsItsJournalIntoTheNotesFileAndLosesNothingWhenKilledAfter) {
    auto host = Start();
    const std::u16string text(4000, u'j');
    std::uintmax_t largest = 0;
    for (int round = 0; round < 200; ++round) {
        host->notes.Set(kCafe, Note(kCafeStable, text + FromUtf8(std::to_string(round))));
        largest = std::max(largest, fs::file_size(OnlyJournal()));
    }
    host->notes.Set(kTaxis, Note(kTaxisStable, u"last"));
    EXPECT_LT(largest, NotesStore::kCompactionFloor + 9000);
    EXPECT_LT(fs::file_size(OnlyJournal()), NotesStore::kCompactionFloor);
    EXPECT_TRUE(fs::exists(NotesFolder() / "Data_Testford.xml")) << "the journal was folded into the file";
    host.reset(); // killed

    auto next = Start();
    EXPECT_EQ(next->notes.Get(kTaxis).Text(), u"last");
    EXPECT_EQ(next->notes.Get(kCafe).Text(), text + u"199");
}

TEST_F(ChangeJournalTest, TwoLiveHostsOfOneCityKeepEachOthersChangesWhicheverEndsFirst) {
    for (const bool firstEndsFirst : {true, false}) {
        SCOPED_TRACE(firstEndsFirst ? "first ends first" : "second ends first");
        fs::remove_all(NotesFolder());
        {
            auto before = Start();
            before->notes.Set(kGhost, Note(kGhostStable, u"before both"));
            before->notes.Set(kTaxis, Note(kTaxisStable, u"removed by the second"));
            ASSERT_TRUE(before->store.SaveAtEnd());
        }
        auto first = Start(), second = Start();
        first->notes.Set(kCafe, Note(kCafeStable, u"first's"));
        first->categories.SetName(1, u"First's name");
        first->notes.Set(kGhost, Note(kGhostStable, u"both changed: first"));
        second->notes.Set(kDentist, Note(kDentistStable, u"second's"));
        second->notes.Erase(kTaxis);
        second->notes.Set(kGhost, Note(kGhostStable, u"both changed: second"));
        ASSERT_TRUE((firstEndsFirst ? first : second)->store.SaveAtEnd());
        ASSERT_TRUE((firstEndsFirst ? second : first)->store.SaveAtEnd());

        auto after = Start();
        EXPECT_EQ(after->notes.Get(kCafe).Text(), u"first's");
        EXPECT_EQ(after->notes.Get(kDentist).Text(), u"second's");
        EXPECT_FALSE(after->notes.Contains(kTaxis));
        EXPECT_EQ(after->categories.CategoryName(1), u"First's name");
        EXPECT_EQ(after->notes.Get(kGhost).Text(),
                  firstEndsFirst ? u"both changed: second" : u"both changed: first")
            << "the later end wins a company both changed";
        EXPECT_TRUE(FilesWith(".journal-").empty());
    }
}

// A change that found nowhere to go (here a file stands where the notes folder belongs, so neither a
// journal nor the notes file can be written) goes with the next change that can be written.
TEST_F(ChangeJournalTest, AChangeThatCouldNotBeWrittenGoesWithTheNextOne) {
    {
        auto host = Start();
        fs::remove_all(NotesFolder());
        WriteFile(NotesFolder(), "no folder");
        host->notes.Set(kCafe, Note(kCafeStable, u"unwritten"));
        host->categories.SetName(0, u"Unwritten");
        fs::remove(NotesFolder());
        host->notes.Set(kDentist, Note(kDentistStable, u"written"));
    } // killed
    auto next = Start();
    EXPECT_EQ(next->notes.Get(kCafe).Text(), u"unwritten");
    EXPECT_EQ(next->categories.CategoryName(0), u"Unwritten");
    EXPECT_EQ(next->notes.Get(kDentist).Text(), u"written");
}

TEST_F(ChangeJournalTest, AFileSpoiledWhileAHostRunsIsKeptAsideWhenItEnds) {
    auto host = Start();
    host->notes.Set(kCafe, Note(kCafeStable, u"this host's"));
    std::ofstream(NotesFolder() / "Data_Testford.xml") << "<DirectoryNotes><MapName>Testf";
    ASSERT_TRUE(host->store.SaveAtEnd());

    ASSERT_EQ(FilesWith(".unreadable").size(), 1u);
    EXPECT_EQ(fs::file_size(FilesWith(".unreadable").front()), 30u) << "kept as it was";
    EXPECT_EQ(Start()->notes.Get(kCafe).Text(), u"this host's");
}

TEST_F(ChangeJournalTest, AHostKilledAtAnySystemCallOfAChangeHasItWhollyOrNotAtAllAndEverythingBefore) {
    // The change: an import that brings two notes and a category name at once.
    notes.Set(kDentist, Note(kDentistStable, u"imported"));
    notes.Set(kTaxis, Note(kTaxisStable, u"imported", {4}));
    categories->SetName(0, u"Imported");
    store.WriteNotes(PathOf("import.xml"));

    std::unique_ptr<Session> host;
    int killedAt = 0;
    for (;; ++killedAt) {
        fs::remove_all(NotesFolder());
        const bool finished = RunKilledAtStop(
                                  killedAt,
                                  [&] {
                                      host = Start();
                                      host->notes.Set(kCafe, Note(kCafeStable, u"acknowledged"));
                                  },
                                  [&] { host->store.ImportReplace(PathOf("import.xml")); }) < killedAt;

        auto next = Start();
        EXPECT_EQ(next->notes.Get(kCafe).Text(), u"acknowledged") << "killed at stop " << killedAt;
        const bool imported = next->notes.Contains(kDentist);
        EXPECT_EQ(next->notes.Get(kTaxis) == Note(kTaxisStable, u"imported", {4}), imported) << killedAt;
        EXPECT_EQ(next->categories.CategoryName(0) == u"Imported", imported) << killedAt;
        if (finished) {
            EXPECT_TRUE(imported) << "a change left alone is there";
            break;
        }
    }
    EXPECT_GT(killedAt, 5) << "the change takes several system calls";
}
