// The notes controller as the host sees it: started on a city, it loads the city's notes file (or takes
// over the legacy file), joins the search tab and writes the notes at the end without ever losing a file
// it could not read; a host failure while it starts is reported and leaves nothing behind.
#include "HostTestSupport.h"

#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "platform/ui/DesktopDriver.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <map>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {
namespace fs = std::filesystem;

struct MessageRecorder : zsys::DesktopDriver {
    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override {
        shown.push_back({owner, std::u16string(text), std::u16string(caption), type});
        return IDOK;
    }
    // The controller opens no dialog in these flows.
    void RunModal(HWND) override {}
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest&) override { return std::nullopt; }
    struct Shown {
        HWND owner;
        std::u16string text, caption;
        UINT type;
    };
    std::vector<Shown> shown;
};

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

class NotesController : public ::testing::Test {
protected:
    NotesController() { previous_ = zsys::InstallDesktopDriver(&messages_); }
    ~NotesController() override {
        host_.reset();
        zsys::InstallDesktopDriver(previous_);
    }

    host::ZeltHost& Host() {
        if (!host_) {
            host_ = std::make_unique<host::ZeltHost>(
                host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, TestfordPath(), appData_.Path().string()});
            host_->Load();
        }
        return *host_;
    }
    // One run of the plug-in from start to end, on a host of its own.
    void Run() {
        host_.reset();
        ASSERT_EQ(Host().Start(), S_OK);
        ASSERT_EQ(Host().Stop(), S_OK);
    }
    fs::path NotesFolder() const { return appData_.Path() / "Zelt" / "DirNotes"; }
    fs::path NotesFile() const { return NotesFolder() / "Data_Testford.xml"; }
    // The names in the notes folder.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(NotesFolder()))
            names.insert(entry.path().filename().string());
        return names;
    }
    // The notes of a written file: stable id → text.
    static std::map<std::string, std::string> NotesIn(const fs::path& file) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(file.c_str())) << file;
        std::map<std::string, std::string> notes;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note"))
            notes[note.child_value("id")] = note.child("comment").child_value("text");
        return notes;
    }

    TempFolder appData_{"notes_controller"};
    MessageRecorder messages_;
    zsys::DesktopDriver* previous_ = nullptr;
    std::unique_ptr<host::ZeltHost> host_;
};

const std::string kUnreadable = "<DirectoryNotes><MapName>Testford</MapName><Note><id>12";
} // namespace

TEST_F(NotesController, StartsEmptyJoinsTheSearchTabAndWritesAnEmptyFile) {
    ASSERT_EQ(Host().Start(), S_OK);
    const auto& groups = Host().View().MainFrame().SearchTab().Groups();
    ASSERT_EQ(groups.size(), 1u);
    const host::HostSearchGroup& group = *groups[0].get();
    EXPECT_EQ(group.Kind(), 3);
    EXPECT_EQ(group.Id(), u"VeskNotes.SearchByNode");
    EXPECT_EQ(group.Placement(), u"100SearchGroup");
    EXPECT_EQ(group.Caption(), u"Notes");
    EXPECT_EQ(group.Description().substr(0, 80),
              u"Search for companies in the directory by user-defined categories or note text.Se");
    ASSERT_TRUE(group.ClearTexts() && group.PromptTexts() && group.ResultTexts());
    EXPECT_EQ(group.ClearTexts()->first, u"Clearing all the note search fields. ");
    EXPECT_EQ(group.ClearTexts()->second, u"Clearing all the note search fields.");
    EXPECT_EQ(group.PromptTexts()->second, u"Specify note category and/or note text fragment.");
    EXPECT_EQ(group.ResultTexts()->first, u"Note search.");
    EXPECT_EQ(group.ResultTexts()->second, u"You were looking for:");
    EXPECT_TRUE(group.Icon() && group.Image());
    EXPECT_TRUE(messages_.shown.empty());

    EXPECT_FALSE(fs::exists(NotesFile())) << "notes are written at the end, not at the start";
    ASSERT_EQ(Host().Stop(), S_OK);
    EXPECT_TRUE(NotesIn(NotesFile()).empty());
    EXPECT_EQ(Host().PluginObjects(), 0);
    EXPECT_EQ(Host().ForeignHostReferences(), 0);
}

TEST_F(NotesController, StartLoadsTheNotesFileOrElseTakesOverTheLegacyFileAndNeverLosesAFileItCannotRead) {
    const std::string notesFile = "<DirectoryNotes><MapName>Testford</MapName><Note><id>-1002</id><comment>"
                                  "<text>from the notes file</text></comment></Note></DirectoryNotes>";
    const std::string legacy =
        "1001_t: first\\nsecond\r\n-1002_c: 3 25\r\n-1002_t: \xcf\xf0\xe8\xe2\xe5\xf2\r\n";
    const std::string kFifo = "(a pipe)";
    const struct {
        const char* what;
        std::string notesFile, legacyFile; // empty: none
        std::map<std::string, std::string> notes;
        std::string keptAside; // empty: nothing kept aside
    } cases[] = {
        {"no files", "", "", {}, ""},
        {"the legacy file", "", legacy, {{"1001", "first\nsecond"}, {"-1002", "Привет"}}, ""},
        {"both files", notesFile, legacy, {{"-1002", "from the notes file"}}, ""},
        {"a notes file without notes",
         "<DirectoryNotes><MapName>Testford</MapName></DirectoryNotes>",
         legacy,
         {},
         ""},
        {"an unreadable notes file", kUnreadable, legacy, {}, kUnreadable},
        {"a pipe for the notes file", kFifo, legacy, {}, kFifo},
        {"a pipe for the legacy file", "", kFifo, {}, ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(NotesFolder());
        fs::create_directories(NotesFolder());
        for (const auto& [name, bytes] :
             {std::pair{"Data_Testford.xml", c.notesFile}, {"Testford.dns", c.legacyFile}}) {
            if (bytes == kFifo)
                ASSERT_EQ(mkfifo((NotesFolder() / name).c_str(), 0600), 0);
            else if (!bytes.empty())
                WriteFile(NotesFolder() / name, bytes);
        }
        Run();
        EXPECT_EQ(NotesIn(NotesFile()), c.notes) << c.what;
        std::set<std::string> expected = {"Data_Testford.xml"};
        if (!c.legacyFile.empty()) expected.insert("Testford.dns");
        if (!c.keptAside.empty()) expected.insert("Data_Testford.xml.unreadable");
        EXPECT_EQ(Entries(), expected) << c.what << ": the legacy file is only read";
        const fs::path aside = NotesFolder() / "Data_Testford.xml.unreadable";
        if (c.keptAside == kFifo) {
            EXPECT_TRUE(fs::is_fifo(aside)) << c.what;
        } else if (!c.keptAside.empty()) {
            EXPECT_EQ(ReadFile(aside), c.keptAside) << c.what;
        }
    }
}

TEST_F(NotesController, AnUnreadableFileIsKeptAsideOnlyOnceTheNewFileIsComplete) {
    WriteFile(NotesFile(), kUnreadable);
    WriteFile(NotesFolder() / "Testford.dns", "1001_t: from the legacy file\r\n");
    ASSERT_EQ(Host().Start(), S_OK);
    {
        FullDisk full;
        EXPECT_EQ(Host().Stop(), S_OK) << "a failed write is not reported";
    }
    EXPECT_EQ(Entries(), (std::set<std::string>{"Data_Testford.xml", "Testford.dns"}));
    EXPECT_EQ(ReadFile(NotesFile()), kUnreadable);

    Run();
    EXPECT_TRUE(NotesIn(NotesFile()).empty()) << "the legacy file is still not taken over";
    EXPECT_EQ(ReadFile(NotesFolder() / "Data_Testford.xml.unreadable"), kUnreadable);
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
        WriteFile(NotesFolder() / name, "a part of a file");
    WriteFile(NotesFolder() / dead, "a part of a file");
    ASSERT_EQ(Host().Start(), S_OK);
    EXPECT_EQ(Entries(), kept);
    ASSERT_EQ(Host().Stop(), S_OK);
}

TEST_F(NotesController, NotesReadAtStartAreWrittenBackUnchanged) {
    WriteFile(NotesFolder() / "Testford.dns", "1001_t: one\r\n11_c: 1 2\r\n");
    Run();
    const std::string first = ReadFile(NotesFile());
    fs::remove(NotesFolder() / "Testford.dns");
    Run();
    EXPECT_EQ(ReadFile(NotesFile()), first);
    EXPECT_EQ(NotesIn(NotesFile()).size(), 2u);
}

TEST_F(NotesController, HostFailureWhileStartingIsReportedAndLeavesNothing) {
    const char* operations[] = {
        "IHostView.Database",
        "IHostDatabase.Table",
        "IHostView.Factory",
        "IHostFactory.CreateImageFromPng",
        "IHostFactory.CreateImageCollection",
        "IHostImageCollectionEdit.Add",
        "IHostImageCollectionEdit.Commit",
        "IHostView.Frame",
        "IHostFrame.Tabs",
        "IHostTabs.Tab",
        "IHostSearchTab.CreateGroup",
        "IHostSearchGroupIcon.SetIcon",
        "IHostSearchGroupAppearance.SetImage",
        "IHostSearchGroupAppearance.SetDescription",
        "IHostSearchGroupAppearance.SetClearTexts",
        "IHostSearchGroupAppearance.SetPromptTexts",
        "IHostSearchGroupAppearance.SetResultTexts",
    };
    for (const char* operation : operations) {
        for (bool yieldNothing : {false, true}) {
            SCOPED_TRACE(std::string(operation) + (yieldNothing ? " yields nothing" : " fails"));
            host_.reset();
            messages_.shown.clear();
            fs::remove_all(NotesFolder());
            if (yieldNothing)
                Host().Faults().YieldNothing(operation);
            else
                Host().Faults().Fail(operation, E_UNEXPECTED);
            const HRESULT started = Host().Start();
            const std::string name = operation;
            if (yieldNothing && name.find(".Set") != std::string::npos) {
                // An operation without an object to give simply succeeds. (A collection that
                // quietly keeps no image fails the start: the map layers find no category
                // image to show.)
                EXPECT_EQ(started, S_OK);
                continue;
            }
            EXPECT_EQ(started, E_FAIL);
            ASSERT_EQ(messages_.shown.size(), 1u);
            EXPECT_EQ(messages_.shown[0].text, u"coudn't load nodes");
            EXPECT_EQ(messages_.shown[0].caption, u"ERROR");
            EXPECT_EQ(messages_.shown[0].type, MB_OK);
            EXPECT_EQ(messages_.shown[0].owner, nullptr);
            EXPECT_EQ(Host().Stop(), S_OK);
            EXPECT_FALSE(fs::exists(NotesFile())) << "a controller that never started writes nothing";
            EXPECT_EQ(Host().PluginObjects(), 0);
            EXPECT_EQ(Host().ForeignHostReferences(), 0);
        }
    }
}

TEST_F(NotesController, StartWithoutAViewIsReportedAndTerminateWithoutStartWritesNothing) {
    const auto plugin = Host().Library()->Plugin().as<ZeltCore::IZeltPlugin>();
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(plugin->Initialize(nullptr, nullptr), E_FAIL);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, u"coudn't load nodes");
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_FALSE(fs::exists(NotesFolder()));
}
