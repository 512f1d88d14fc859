// The notes controller as the host sees it: started on a city, it loads the city's notes file (or takes
// over the legacy file), joins the search tab and writes the notes at the end without ever losing a file
// it could not read; a host failure while it starts is reported and leaves nothing behind.
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PluginHost.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testsupport;

namespace {
namespace fs = std::filesystem;

// Files can grow only to a few bytes while it lives, as on a full disk.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limit);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class NotesController : public PluginHostTest {
protected:
    // One run of the plug-in from start to end, on a host of its own.
    void Run() {
        ASSERT_EQ(Load().Start(), S_OK);
        ASSERT_EQ(Zelt().Stop(), S_OK);
    }
    fs::path Folder() const { return NotesFile().parent_path(); }
    // The texts of the written notes.
    std::map<std::int32_t, std::string> Texts() const {
        std::map<std::int32_t, std::string> texts;
        for (const auto& [stable, note] : Written().notes)
            texts[stable] = note.text;
        return texts;
    }

    ScriptedDriver messages_; // answers every message box with its default
};

const std::string kUnreadable = "<DirectoryNotes><MapName>Testford</MapName><Note><id>12";
} // namespace

TEST_F(NotesController, StartsEmptyJoinsTheSearchTabAndWritesAnEmptyFile) {
    ASSERT_EQ(Load().Start(), S_OK);
    const auto& groups = Zelt().View().MainFrame().SearchTab().Groups();
    ASSERT_EQ(groups.size(), 1u);
    const host::HostSearchGroup& group = *groups[0].get();
    EXPECT_EQ(group.Kind(), 3);
    EXPECT_EQ(group.Placement(), u"100SearchGroup");
    EXPECT_TRUE(group.Description().starts_with(u"Search for companies in the directory by user-defined"));
    ASSERT_TRUE(group.ClearTexts() && group.PromptTexts() && group.ResultTexts());
    EXPECT_EQ(group.ClearTexts()->first, u"Clearing all the note search fields. ");
    EXPECT_EQ(group.ClearTexts()->second, u"Clearing all the note search fields.");
    EXPECT_EQ(group.PromptTexts()->second, u"Specify note category and/or note text fragment.");
    EXPECT_EQ(group.ResultTexts()->first + group.ResultTexts()->second, u"Note search.You were looking for:");
    EXPECT_TRUE(group.Icon() && group.Image());

    EXPECT_FALSE(fs::exists(NotesFile())) << "notes are written at the end, not at the start";
    ASSERT_EQ(Zelt().Stop(), S_OK);
    EXPECT_TRUE(Written().notes.empty());
}

TEST_F(NotesController, StartLoadsTheNotesFileOrElseTakesOverTheLegacyFileAndNeverLosesAFileItCannotRead) {
    const std::string notesFile = NotesXml({{-1002, {"from the notes file", {}}}});
    const std::string legacy =
        "1001_t: first\\nsecond\r\n-1002_c: 3 25\r\n-1002_t: \xcf\xf0\xe8\xe2\xe5\xf2\r\n";
    const std::string kFifo = "(a pipe)";
    const struct {
        const char* what;
        std::string notesFile, legacyFile; // empty: none
        std::map<std::int32_t, std::string> texts;
        std::string keptAside; // empty: nothing kept aside
    } cases[] = {
        {"no files", "", "", {}, ""},
        {"the legacy file", "", legacy, {{1001, "first\nsecond"}, {-1002, "Привет"}}, ""},
        {"both files", notesFile, legacy, {{-1002, "from the notes file"}}, ""},
        {"a notes file without notes", NotesXml({}), legacy, {}, ""},
        {"an unreadable notes file", kUnreadable, legacy, {}, kUnreadable},
        {"a pipe for the notes file", kFifo, legacy, {}, kFifo},
        {"a pipe for the legacy file", "", kFifo, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Folder());
        fs::create_directories(Folder());
        for (const auto& [name, bytes] :
             {std::pair{"Data_Testford.xml", c.notesFile}, {"Testford.dns", c.legacyFile}}) {
            if (bytes == kFifo)
                ASSERT_EQ(mkfifo((Folder() / name).c_str(), 0600), 0);
            else if (!bytes.empty())
                WriteFile(Folder() / name, bytes);
        }
        Run();
        EXPECT_EQ(Texts(), c.texts);
        std::set<std::string> expected = {"Data_Testford.xml"};
        if (!c.legacyFile.empty()) expected.insert("Testford.dns");
        if (!c.keptAside.empty()) expected.insert("Data_Testford.xml.unreadable");
        EXPECT_EQ(FolderNames(Folder()), expected) << "the legacy file is only read";
        const fs::path aside = Folder() / "Data_Testford.xml.unreadable";
        if (c.keptAside == kFifo) {
            EXPECT_TRUE(fs::is_fifo(aside));
        } else if (!c.keptAside.empty()) {
            EXPECT_EQ(ReadFile(aside), c.keptAside);
        }
    }
}

TEST_F(NotesController, AnUnreadableFileIsKeptAsideOnlyOnceTheNewFileIsComplete) {
    WriteFile(NotesFile(), kUnreadable);
    WriteFile(Folder() / "Testford.dns", "1001_t: from the legacy file\r\n");
    ASSERT_EQ(Load().Start(), S_OK);
    {
        FullDisk full;
        EXPECT_EQ(Zelt().Stop(), S_OK) << "a failed write is not reported";
    }
    EXPECT_EQ(FolderNames(Folder()), (std::set<std::string>{"Data_Testford.xml", "Testford.dns"}));
    EXPECT_EQ(ReadFile(NotesFile()), kUnreadable);

    Run();
    EXPECT_TRUE(Written().notes.empty()) << "the legacy file is still not taken over";
    EXPECT_EQ(ReadFile(Folder() / "Data_Testford.xml.unreadable"), kUnreadable);
}

TEST_F(NotesController, TemporaryFilesOfAWriterThatIsGoneAreRemovedAtStart) {
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = ".notes-" + std::to_string(gone) + "-3.tmp";
    const std::set<std::string> kept = {".notes-" + std::to_string(getpid()) + "-0.tmp", // a live writer's
                                        ".notes-x-1.tmp", "notes-" + std::to_string(gone) + "-3.tmp",
                                        dead + ".old", "Data_Testford.xml"};
    for (const std::string& name : kept)
        WriteFile(Folder() / name, "a part of a file");
    WriteFile(Folder() / dead, "a part of a file");
    ASSERT_EQ(Load().Start(), S_OK);
    EXPECT_EQ(FolderNames(Folder()), kept);
    ASSERT_EQ(Zelt().Stop(), S_OK);
}

// Every host operation of the start, made to fail or to yield nothing: the start is
// reported and leaves nothing behind. Yielding nothing fails the start only where the
// plug-in needs what the operation hands out (or keeps); otherwise the operation simply
// succeeds and the plug-in goes on without it.
TEST_F(NotesController, HostFailureWhileStartingIsReportedAndLeavesNothing) {
    // Those whose yielding nothing fails the start too, then those the plug-in does without. (A
    // collection that quietly keeps no image: the map layers find no category image.)
    // clang-format off
    const std::vector<const char*> needed = {
        "IHostView.Database", "IHostDatabase.Table", "IHostView.Factory", "IHostFactory.CreateImageFromPng",
        "IHostFactory.CreateImageCollection", "IHostImageCollectionEdit.Add",
        "IHostImageCollectionEdit.Commit", "IHostImageCollection.Image", "IHostView.Frame", "IHostFrame.Tabs",
        "IHostTabs.Tab",
        "IHostSearchTab.CreateGroup", "IHostControlFactory.CreateStandardControl", "IHostFrame.SearchView",
        "IHostSearchView.Page"};
    const std::vector<const char*> optional = {
        "IHostSearchGroupIcon.SetIcon", "IHostSearchGroupAppearance.SetImage",
        "IHostSearchGroupAppearance.SetDescription", "IHostSearchGroupAppearance.SetClearTexts",
        "IHostSearchGroupAppearance.SetPromptTexts", "IHostSearchGroupAppearance.SetResultTexts",
        "IHostStandardControl.SetStyle", "IHostControlText.SetHint", "IHostComboBox.SetOwnerDraw",
        "IHostComboBox.SetEditAreaDrawer", "IHostComboBox.SetListItemDrawer", "IHostComboBox.AddItem",
        "IHostSearchGroup.AddControl", "IHostDirPage.AttachController"};
    // clang-format on
    for (const bool isNeeded : {true, false}) {
        for (const char* operation : isNeeded ? needed : optional) {
            for (const bool yieldNothing : {false, true}) {
                SCOPED_TRACE(std::string(operation) + (yieldNothing ? " yields nothing" : " fails"));
                zelt_.reset();
                fs::remove_all(AppData());
                if (yieldNothing)
                    Load().Faults().YieldNothing(operation);
                else
                    Load().Faults().Fail(operation, E_UNEXPECTED);
                const std::size_t shown = messages_.Messages().size();
                const HRESULT started = Zelt().Start();
                EXPECT_GT(Zelt().Faults().Calls(operation), 0u);
                Zelt().Faults().Clear();
                if (yieldNothing && !isNeeded) {
                    EXPECT_EQ(started, S_OK);
                    EXPECT_EQ(messages_.Messages().size(), shown);
                } else {
                    EXPECT_EQ(started, E_FAIL);
                    ASSERT_EQ(messages_.Messages().size(), shown + 1);
                    const auto& message = messages_.Messages().back();
                    EXPECT_EQ(message.text + u"|" + message.caption, u"coudn't load nodes|ERROR");
                    EXPECT_EQ(message.type, UINT(MB_OK));
                    EXPECT_EQ(message.owner, nullptr);
                }
                EXPECT_EQ(Zelt().Stop(), S_OK);
                EXPECT_EQ(fs::exists(NotesFile()), started == S_OK)
                    << "a controller that never started writes nothing";
                EXPECT_EQ(Zelt().PluginObjects(), 0);
                EXPECT_EQ(Zelt().ForeignHostReferences(), 0);
            }
        }
    }
}

TEST_F(NotesController, StartWithoutAViewIsReportedAndTerminateWithoutStartWritesNothing) {
    const auto plugin = Load().Library()->Plugin().as<ZeltCore::IZeltPlugin>();
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(plugin->Initialize(nullptr, nullptr), E_FAIL);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, u"coudn't load nodes");
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_FALSE(fs::exists(AppData() / "Zelt"));
}
