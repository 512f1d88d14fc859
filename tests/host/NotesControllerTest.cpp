// The notes controller as the host sees it: started on a city, it loads the city's
// notes (or takes over the legacy file), joins the search tab and writes the notes at
// the end; a host failure while it starts is reported and leaves nothing behind.
#include "HostTestSupport.h"

#include "host/CityDatabase.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/ZeltHost.h"
#include "platform/ui/DesktopDriver.h"
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

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

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class NotesController : public ::testing::Test {
protected:
    NotesController() {
        char pattern[] = "/tmp/notes_controller.XXXXXX";
        appData_ = mkdtemp(pattern);
        previous_ = zsys::InstallDesktopDriver(&messages_);
    }
    ~NotesController() override {
        host_.reset();
        zsys::InstallDesktopDriver(previous_);
        fs::remove_all(appData_);
    }

    host::ZeltHost& Host() {
        if (!host_) {
            host_ = std::make_unique<host::ZeltHost>(host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, "", appData_.string()});
            host_->Load();
        }
        return *host_;
    }
    fs::path NotesFolder() const { return appData_ / "Zelt" / "DirNotes"; }
    fs::path NotesFile() const { return NotesFolder() / "Data_Riverton.xml"; }

    // Stable ids of the demo city's first companies.
    std::vector<std::int32_t> StableIds(std::size_t count) {
        host::CityDatabase city(host::ZeltHost::DemoCityPath());
        std::vector<std::int32_t> ids;
        for (std::int32_t id : city.FirstIds(host::CityDatabase::Type::Company, count))
            ids.push_back(city.Find(host::CityDatabase::Type::Company, id)->stableId);
        return ids;
    }

    void WriteNotesFolderFile(const std::string& name, const std::string& bytes) {
        fs::create_directories(NotesFolder());
        std::ofstream(NotesFolder() / name, std::ios::binary) << bytes;
    }

    // The notes of a written file: stable id → text.
    std::map<std::string, std::string> NotesIn(const fs::path& file) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(file.c_str())) << file;
        std::map<std::string, std::string> notes;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note"))
            notes[note.child_value("id")] = note.child("comment").child_value("text");
        return notes;
    }

    fs::path appData_;
    MessageRecorder messages_;
    zsys::DesktopDriver* previous_ = nullptr;
    std::unique_ptr<host::ZeltHost> host_;
};
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
    ASSERT_TRUE(group.ClearTexts());
    EXPECT_EQ(group.ClearTexts()->first, u"Clearing all the note search fields. ");
    EXPECT_EQ(group.ClearTexts()->second, u"Clearing all the note search fields.");
    ASSERT_TRUE(group.PromptTexts());
    EXPECT_EQ(group.PromptTexts()->second, u"Specify note category and/or note text fragment.");
    ASSERT_TRUE(group.ResultTexts());
    EXPECT_EQ(group.ResultTexts()->first, u"Note search.");
    EXPECT_EQ(group.ResultTexts()->second, u"You were looking for:");
    EXPECT_TRUE(group.Icon());
    EXPECT_TRUE(group.Image());
    EXPECT_TRUE(messages_.shown.empty());

    EXPECT_FALSE(fs::exists(NotesFile())) << "notes are written at the end, not at the start";
    ASSERT_EQ(Host().Stop(), S_OK);
    EXPECT_TRUE(NotesIn(NotesFile()).empty());
    EXPECT_EQ(Host().PluginObjects(), 0);
    EXPECT_EQ(Host().ForeignHostReferences(), 0);
}

TEST_F(NotesController, LegacyFileIsTakenOverWhenTheCityHasNoNotesFile) {
    const auto ids = StableIds(2);
    WriteNotesFolderFile("Riverton.dns", std::to_string(ids[0]) + "_t: first\\nsecond\r\n" + std::to_string(ids[1]) +
                                             "_c: 3 25\r\n" + std::to_string(ids[1]) + "_t: \xcf\xf0\xe8\xe2\xe5\xf2\r\n");
    ASSERT_EQ(Host().Start(), S_OK);
    ASSERT_EQ(Host().Stop(), S_OK);
    const auto notes = NotesIn(NotesFile());
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes.at(std::to_string(ids[0])), "first\nsecond");
    EXPECT_EQ(notes.at(std::to_string(ids[1])), "Привет") << "the legacy file is in code page 1251";
    EXPECT_TRUE(fs::exists(NotesFolder() / "Riverton.dns")) << "the legacy file is only read";
}

TEST_F(NotesController, UnreadableNotesFileSurvivesAndBlocksTheLegacyFile) {
    const auto ids = StableIds(1);
    const std::string garbage = "<DirectoryNotes><MapName>Riverton</MapName><Note><id>12";
    WriteNotesFolderFile("Data_Riverton.xml", garbage);
    WriteNotesFolderFile("Riverton.dns", std::to_string(ids[0]) + "_t: from the legacy file\r\n");
    ASSERT_EQ(Host().Start(), S_OK);
    ASSERT_EQ(Host().Stop(), S_OK);

    EXPECT_TRUE(NotesIn(NotesFile()).empty()) << "nothing was loaded and the legacy file was not taken over";
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(NotesFolder()))
        if (entry.path() != NotesFile() && ReadFile(entry.path()) == garbage) kept.push_back(entry.path());
    EXPECT_EQ(kept.size(), 1u) << "the unreadable file is kept beside the new one, unchanged";
}

TEST_F(NotesController, NotesReadAtStartAreWrittenBackUnchanged) {
    const auto ids = StableIds(3);
    WriteNotesFolderFile("Riverton.dns", std::to_string(ids[0]) + "_t: one\r\n" + std::to_string(ids[2]) + "_c: 1 2\r\n");
    ASSERT_EQ(Host().Start(), S_OK);
    ASSERT_EQ(Host().Stop(), S_OK);
    const std::string first = ReadFile(NotesFile());
    fs::remove(NotesFolder() / "Riverton.dns");

    host_.reset();
    ASSERT_EQ(Host().Start(), S_OK);
    ASSERT_EQ(Host().Stop(), S_OK);
    EXPECT_EQ(ReadFile(NotesFile()), first);
    EXPECT_EQ(NotesIn(NotesFile()).size(), 2u);
}

TEST_F(NotesController, HostFailureWhileStartingIsReportedAndLeavesNothing) {
    const char* operations[] = {
        "IHostView.Database",       "IHostDatabase.Table",
        "IHostView.Factory",        "IHostFactory.CreateImageFromPng",
        "IHostFactory.CreateImageCollection", "IHostImageCollectionEdit.Add",
        "IHostImageCollectionEdit.Commit", "IHostView.Frame",
        "IHostFrame.Tabs",          "IHostTabs.Tab",
        "IHostSearchTab.CreateGroup", "IHostSearchGroupIcon.SetIcon",
        "IHostSearchGroupAppearance.SetImage", "IHostSearchGroupAppearance.SetDescription",
        "IHostSearchGroupAppearance.SetClearTexts", "IHostSearchGroupAppearance.SetPromptTexts",
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

TEST_F(NotesController, StartWithoutAViewIsReported) {
    const auto plugin = Host().Library()->Plugin().as<ZeltCore::IZeltPlugin>();
    EXPECT_EQ(plugin->Initialize(nullptr, nullptr), E_FAIL);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, u"coudn't load nodes");
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_FALSE(fs::exists(NotesFile()));
}

TEST_F(NotesController, TerminateWithoutStartWritesNothing) {
    const auto plugin = Host().Library()->Plugin().as<ZeltCore::IZeltPlugin>();
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_EQ(plugin->Terminate(), S_OK);
    EXPECT_FALSE(fs::exists(NotesFolder()));
    EXPECT_TRUE(messages_.shown.empty());
}
