// The note edit dialog end to end: the plug-in started by the reference host on Testford,
// the Café's card opened and its add-note command run, the dialog answered through the
// shell as a person would (or by a script where the shell cannot show what matters), and
// the note read back from the city's notes file.
#include "host/HostCard.h"
#include "host/shell/HostShell.h"
#include "platform/ui/Input.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

using namespace hosttest;

namespace {
namespace fs = std::filesystem;

constexpr int kNoteBox = 119;

const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

// The Café's note as the notes file holds it.
struct FileNote {
    std::string text;
    std::vector<int> categories;
    friend bool operator==(const FileNote&, const FileNote&) = default;
};

std::ostream& operator<<(std::ostream& out, const FileNote& note) {
    out << "{\"" << note.text << "\",";
    for (int c : note.categories)
        out << " " << c;
    return out << "}";
}

class NoteDialog : public testing::Test {
protected:
    NoteDialog() {
        char pattern[] = "/tmp/note_dialog.XXXXXX";
        appData_ = mkdtemp(pattern);
    }
    ~NoteDialog() override {
        zelt_.reset();
        fs::remove_all(appData_);
    }

    fs::path NotesFile() const { return appData_ / "Zelt" / "DirNotes" / "Data_Testford.xml"; }

    // A fresh host with the plug-in started in `language`, the Café holding `cafe` (when given).
    host::ZeltHost& Start(const std::optional<FileNote>& cafe, LANGID language = 1033) {
        zelt_.reset();
        fs::remove_all(appData_ / "Zelt");
        pugi::xml_document doc;
        pugi::xml_node root = doc.append_child("DirectoryNotes");
        root.append_child("MapName").text().set("Testford");
        if (cafe) {
            pugi::xml_node note = root.append_child("Note");
            note.append_child("id").text().set(testford::kCafeStable);
            note.append_child("comment").append_child("text").text().set(cafe->text.c_str());
            pugi::xml_node marker = note.append_child("marker");
            for (int c : cafe->categories)
                marker.append_child("color").text().set(c);
        }
        fs::create_directories(NotesFile().parent_path());
        EXPECT_TRUE(doc.save_file(NotesFile().c_str()));
        zelt_ = std::make_unique<host::ZeltHost>(
            host::ZeltHost::Options{VESK_PLUGIN_PATH, language, TestfordPath(), appData_.string()});
        zelt_->Load();
        EXPECT_EQ(zelt_->Start(), S_OK);
        return *zelt_;
    }

    // What the shell answers to the commands; the end of the input stops the plug-in.
    std::string Run(const std::string& commands) {
        std::istringstream in(commands);
        std::ostringstream out;
        host::HostShell(*zelt_, out).Run(in, false);
        return out.str();
    }

    // The notes of the file, by stable id.
    std::map<std::int32_t, FileNote> FileNotes() const {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(NotesFile().c_str()));
        std::map<std::int32_t, FileNote> notes;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note")) {
            FileNote& read = notes[note.child("id").text().as_int()];
            read.text = note.child("comment").child_value("text");
            for (pugi::xml_node color : note.child("marker").children("color"))
                read.categories.push_back(color.text().as_int());
        }
        return notes;
    }
    std::optional<FileNote> CafeNote() const {
        const auto notes = FileNotes();
        const auto cafe = notes.find(testford::kCafeStable);
        return cafe == notes.end() ? std::nullopt : std::optional(cafe->second);
    }

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> zelt_;
};
} // namespace

TEST_F(NoteDialog, OnlyOkChangesTheNoteAndLineBreaksConvertBothWays) {
    struct Case {
        const char* what;
        std::optional<FileNote> before;
        std::string box; // the edit box as the dialog opens, as the shell prints it
        std::string answer;
        std::optional<FileNote> after;
    };
    const FileNote twoLines{"first\nsecond", {3}};
    const Case cases[] = {
        {"OK on the text as it came", twoLines, "first\\r\\nsecond", "press 1", twoLines},
        {"OK on typed lines ending in blank ones", twoLines, "first\\r\\nsecond",
         "set 119 new\\r\\ntext\\r\\n\\r\\n \\t\npress 1", FileNote{"new\ntext", {3}}},
        {"OK on a cleared box keeps a note that has categories", twoLines, "first\\r\\nsecond",
         "set 119\npress 1", FileNote{"", {3}}},
        {"OK on a cleared box removes a note of text only", FileNote{"gone", {}}, "gone", "set 119\npress 1",
         std::nullopt},
        {"Cancel", twoLines, "first\\r\\nsecond", "set 119 typed\npress 2", twoLines},
        {"the close box", twoLines, "first\\r\\nsecond", "set 119 typed\nclose", twoLines},
        {"Escape", twoLines, "first\\r\\nsecond", "set 119 typed\nescape", twoLines},
        {"OK on a company without a note makes one", std::nullopt, "", "set 119 fresh\npress 1",
         FileNote{"fresh", {}}},
        {"Cancel on a company without a note leaves none", std::nullopt, "", "set 119 typed\npress 2",
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.before);
        const std::string out = Run("pointer 10 20\nopen 11\nclick addNode\n" + c.answer + "\n");
        EXPECT_NE(out.find("control 119 edit \"" + c.box + "\"\n"), std::string::npos) << out;
        EXPECT_EQ(out.find("error:"), std::string::npos) << out;
        EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
        EXPECT_EQ(CafeNote(), c.after);
    }
}

TEST_F(NoteDialog, OpensAtThePointerOr300PixelsLeftOfItFrom400PixelsRightOfTheHostWindowsLeftEdge) {
    struct Case {
        std::string frame;
        int pointerX;
        int dialogX;
    };
    const Case cases[] = {
        {"100 50 1380 850", 499, 499}, {"100 50 1380 850", 500, 200},  {"100 50 1380 850", 1379, 1079},
        {"100 50 1380 850", 20, 20},   {"-700 0 580 800", -301, -301}, {"-700 0 580 800", -300, -600},
    };
    std::string script = "open 11\n", expected;
    for (const Case& c : cases) {
        script +=
            "frame " + c.frame + "\npointer " + std::to_string(c.pointerX) + " 300\nclick addNode\nescape\n";
        expected += "dialog 114 \"Note\" at " + std::to_string(c.dialogX) + ",300 size 299x144\n";
    }
    Start(std::nullopt);
    std::istringstream lines(Run(script));
    std::string shown;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("dialog ") || line.starts_with("error:")) shown += line + "\n";
    EXPECT_EQ(shown, expected);
}

TEST_F(NoteDialog, ShowsItsTextsInTheInterfaceLanguage) {
    struct Case {
        LANGID language;
        std::string texts;
    };
    const Case cases[] = {
        {1033,
         "\"Note\" at 10,20 size 299x144\ncontrol 1 default-button \"OK\"\ncontrol 2 button \"Cancel\"\n"},
        {3082, "\"Nota\" at 10,20 size 299x144\ncontrol 1 default-button \"Aceptar\"\n"
               "control 2 button \"Cancelar\"\n"},
        {1049, "\"Заметка\" at 10,20 size 299x144\ncontrol 1 default-button \"OK\"\n"
               "control 2 button \"Отмена\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Start(std::nullopt, c.language);
        const std::string out = Run("pointer 10 20\nopen 11\nclick addNode\nescape\n");
        EXPECT_NE(out.find("dialog 114 " + c.texts), std::string::npos) << out;
    }
}

// What the shell does not print: the dialog above the other windows, owned by the window
// active when it opened (here not the host's main window), with the keyboard in the box,
// where Enter starts a line instead of pressing OK.
TEST_F(NoteDialog, OpensOnTopOwnedByTheActiveWindowWithEnterInTheBoxAddingALine) {
    Start(FileNote{"first\nsecond", {}});
    host::HostCard& card = zelt_->Cards().Open(testford::kCafe);
    HWND other = zsys::CreateWindow(u"CardWindow", u"Café Lumière", 0, 0, {40, 40, 400, 300}, nullptr, 0);
    zsys::SetActiveWindow(other);

    testsupport::ScriptedDriver driver;
    driver
        .Do([other](HWND dialog) {
            EXPECT_TRUE(zsys::IsTopmost(dialog));
            EXPECT_EQ(zsys::Owner(dialog), other);
            EXPECT_EQ(zsys::Focus(), zsys::GetDlgItem(dialog, kNoteBox));
        })
        .PressKey(VK_RETURN)
        .Do([](HWND dialog) {
            EXPECT_FALSE(zsys::input::DialogEnded(dialog));
            EXPECT_EQ(zsys::WindowText(zsys::GetDlgItem(dialog, kNoteBox)), u"first\r\nsecond\r\n");
        })
        .Close();
    EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
    EXPECT_EQ(driver.Dialogs(), std::vector<WORD>{114});
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_TRUE(driver.Refused().empty());
    EXPECT_EQ(zsys::ActiveWindow(), other) << "active again once the dialog is gone";
    zsys::DestroyWindow(other);
}

TEST_F(NoteDialog, WithoutADriverNothingIsShownAndTheNoteStays) {
    Start(FileNote{"kept", {2}});
    ASSERT_EQ(zsys::CurrentDesktopDriver(), nullptr);
    host::HostCard& card = zelt_->Cards().Open(testford::kCafe);
    const long windows = zsys::LiveWindowCount();
    EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
    EXPECT_EQ(zsys::LiveWindowCount(), windows);
    EXPECT_EQ(card.Builds(), 2) << "the card is rebuilt as after a Cancel";
    EXPECT_EQ(zelt_->Stop(), S_OK);
    EXPECT_EQ(CafeNote(), (FileNote{"kept", {2}}));
}

TEST_F(NoteDialog, AHostMainWindowThatCannotBeReadEndsTheCommandBeforeTheDialog) {
    for (const char* operation : {"IHostView.Frame", "IHostFrame.Window"}) {
        for (const bool yieldNothing : {false, true}) {
            SCOPED_TRACE(std::string(operation) + (yieldNothing ? " yields nothing" : " fails"));
            Start(FileNote{"kept", {2}});
            // Once only: the plug-in reads the main window again when it stops.
            if (yieldNothing)
                zelt_->Faults().YieldNothing(operation, 1, 1);
            else
                zelt_->Faults().Fail(operation, E_UNEXPECTED, 1, 1);
            const std::string out = Run("pointer 10 20\nopen 11\nclick addNode\nset 119 changed\npress 1\n");
            EXPECT_NE(out.find("\"MY02notesgroup:0\"\n"), std::string::npos) << "the card opened: " << out;
            EXPECT_NE(out.find("error: click: the command \"addNode\" failed: E_FAIL\n"
                               "error: unknown command \"set\""),
                      std::string::npos)
                << out;
            EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
            EXPECT_EQ(CafeNote(), (FileNote{"kept", {2}}));
        }
    }
}

TEST_F(NoteDialog, AMegabyteTypedInTheBoxIsStoredWhole) {
    std::string typed, stored;
    while (stored.size() < (1 << 20)) {
        const std::string line = "line " + std::to_string(stored.size()) + " of a long note";
        typed += line + "\\r\\n";
        stored += line + "\n";
    }
    stored.pop_back(); // the last line break is trimmed
    Start(std::nullopt);
    const std::string out = Run("open 11\nclick addNode\nset 119 " + typed + "\npress 1\n");
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out.substr(0, 500);
    EXPECT_EQ(CafeNote(), (FileNote{stored, {}}));
}
