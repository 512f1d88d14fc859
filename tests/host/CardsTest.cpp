// Company cards end to end: the plug-in started by the reference host on Testford, cards
// opened from the organisation page and driven through the shell as a person or a script
// would, the notes read from and written to the city's notes file.
#include "host/HostCard.h"
#include "host/HostDirPage.h"
#include "host/HostStandardControl.h"
#include "host/shell/HostShell.h"
#include "tests/host/HostTestSupport.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <sstream>

using namespace ZeltCore;
using namespace hosttest;

namespace {
namespace fs = std::filesystem;

// A note as the notes file holds it.
struct FileNote {
    std::string text;
    std::vector<int> categories;
    friend bool operator==(const FileNote&, const FileNote&) = default;
};
using FileNotes = std::map<std::int32_t, FileNote>; // by stable id

std::ostream& operator<<(std::ostream& out, const FileNote& note) {
    out << "{\"" << note.text << "\",";
    for (int c : note.categories)
        out << " " << c;
    return out << "}";
}

const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

// The card of a company as the shell prints it, for a note with or without text and
// with these categories checked.
std::string CardText(std::int32_t id, const std::string& name, const std::string& note,
                     const std::string& marks, bool hasText, const std::vector<int>& checked) {
    std::string card = "card " + std::to_string(id) + " \"" + name + "\"\nnote: \"" + note + "\"\nmarks: \"" +
                       marks + "\"\n";
    card += hasText ? "button addNode caption=\"Edit note\" tooltip=\"Edit note in the card\""
                    : "button addNode caption=\"Add note\" tooltip=\"Add note to card\"";
    card += " enabled=1 checked=0 placement=\"MY02notesgroup:1\"\n";
    card +=
        "button deleteCategory caption=\"Delete all note categories\" tooltip=\"Delete all note categories "
        "from card\" enabled=" +
        std::string(checked.empty() ? "0" : "1") + " checked=0 placement=\"MY02notesgroup:2\"\n";
    card += "button deleteNode caption=\"Delete note\" tooltip=\"Delete note from card\" enabled=" +
            std::string(hasText ? "1" : "0") + " checked=0 placement=\"MY02notesgroup:3\"\n";
    card += "submenu \"Select note category\" placement=\"MY02notesgroup:0\"\n";
    static const char* kNames[] = {"red",    "yellow", "green",       "light blue", "blue",   "violet",
                                   "orange", "pink",   "apple-green", "emerald",    "azure",  "fuchsia",
                                   "white",  "gray",   "black",       "brown",      "creamy", "olive"};
    for (int i = 0; i < 18; ++i) {
        const bool on = std::find(checked.begin(), checked.end(), i) != checked.end();
        card += "item addCategory" + std::to_string(i) + " caption=\"" + kNames[i] +
                "\" enabled=1 checked=" + (on ? "1" : "0") + "\n";
    }
    return card;
}

// A category mark as the shell prints it (quotes escaped).
std::string Mark(int c) {
    const std::string name = "MYUNIQUETAG" + std::to_string(c);
    return "<a href= \\\"" + name + "\\\"><img id=\\\"" + name + "\\\" src=\\\"" + name +
           "\\\" align=\\\"middle\\\"></a>";
}

const std::string kParagraph =
    "<p style=\\\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; \\\"><strong>";

class Cards : public testing::Test {
protected:
    Cards() {
        char pattern[] = "/tmp/cards_test.XXXXXX";
        appData_ = mkdtemp(pattern);
    }
    ~Cards() override {
        zelt_.reset();
        fs::remove_all(appData_);
    }

    fs::path NotesFile() const { return appData_ / "Zelt" / "DirNotes" / "Data_Testford.xml"; }

    void WriteNotes(const FileNotes& notes) {
        pugi::xml_document doc;
        pugi::xml_node root = doc.append_child("DirectoryNotes");
        root.append_child("MapName").text().set("Testford");
        for (const auto& [stable, note] : notes) {
            pugi::xml_node element = root.append_child("Note");
            element.append_child("id").text().set(stable);
            if (!note.text.empty())
                element.append_child("comment").append_child("text").text().set(note.text.c_str());
            if (!note.categories.empty()) {
                pugi::xml_node marker = element.append_child("marker");
                for (int c : note.categories)
                    marker.append_child("color").text().set(c);
            }
        }
        fs::create_directories(NotesFile().parent_path());
        ASSERT_TRUE(doc.save_file(NotesFile().c_str()));
    }

    FileNotes ReadNotes() const {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(NotesFile().c_str())) << NotesFile();
        FileNotes notes;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note")) {
            FileNote& read = notes[note.child("id").text().as_int()];
            read.text = note.child("comment").child_value("text");
            for (pugi::xml_node color : note.child("marker").children("color"))
                read.categories.push_back(color.text().as_int());
        }
        return notes;
    }

    // The host with the plug-in started on `city`.
    host::ZeltHost& Zelt(const std::string& city = TestfordPath()) {
        if (!zelt_) {
            zelt_ = std::make_unique<host::ZeltHost>(
                host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, city, appData_.string()});
            zelt_->Load();
            started_ = zelt_->Start();
        }
        return *zelt_;
    }

    // What the shell answers to the commands; the end of the input stops the plug-in.
    std::string Run(const std::string& commands) {
        std::istringstream in(commands);
        std::ostringstream out;
        status_ = host::HostShell(Zelt(), out).Run(in, false);
        return out.str();
    }

    // Runs each command on the Café's card and checks the card and the notes file.
    void RunCommandCases(std::span<const struct CommandCase> cases);

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> zelt_;
    HRESULT started_ = E_UNEXPECTED;
    int status_ = -1;
};

const std::string kCafe = "Café Lumière";
} // namespace

TEST_F(Cards, Buttons_FollowTheNoteOfTheCompany) {
    struct Case {
        const char* what;
        FileNotes notes;
        std::string note, marks;
        bool hasText;
        std::vector<int> checked;
    };
    const Case cases[] = {
        {"no note", {}, "", "", false, {}},
        {"categories only", {{testford::kCafeStable, {"", {7, 2}}}}, "", Mark(7) + Mark(2) + " ", false, {2, 7}},
        {"text only",
         {{testford::kCafeStable, {"call Ann", {}}}},
         kParagraph + "call Ann</strong></p>",
         "",
         true,
         {}},
        {"text and categories",
         {{testford::kCafeStable, {"call Ann", {0, 17}}}},
         kParagraph + "call Ann</strong></p>",
         Mark(0) + Mark(17) + " ",
         true,
         {0, 17}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zelt_.reset();
        fs::remove_all(appData_ / "Zelt");
        WriteNotes(c.notes);
        EXPECT_EQ(Run("open 11\n"),
                  CardText(testford::kCafe, kCafe, c.note, c.marks, c.hasText, c.checked) + kCleanAccounting);
        EXPECT_EQ(status_, 0);
    }
}

namespace {
// A command run on the Café's card, with the note it had and the note it leaves.
struct CommandCase {
    const char* what;
    FileNotes before;
    std::string tag;
    std::optional<FileNote> after; // the Café's note in the file; none when it has none
};
} // namespace

void Cards::RunCommandCases(std::span<const CommandCase> cases) {
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.what);
        zelt_.reset();
        fs::remove_all(appData_ / "Zelt");
        FileNotes before = c.before;
        before[testford::kDentistStable] = {"another company's note", {1}};
        WriteNotes(before);

        const std::string out = Run("open 11\nclick " + c.tag + "\n");
        std::string marks;
        for (int category : c.after ? c.after->categories : std::vector<int>{})
            marks += Mark(category);
        if (c.after && !c.after->categories.empty()) marks += " ";
        const std::string note =
            c.after && !c.after->text.empty() ? kParagraph + c.after->text + "</strong></p>" : "";
        const std::string rebuilt =
            CardText(testford::kCafe, kCafe, note, marks, c.after && !c.after->text.empty(),
                     c.after ? c.after->categories : std::vector<int>{});
        EXPECT_TRUE(out.ends_with(rebuilt + kCleanAccounting)) << out;

        FileNotes expected{{testford::kDentistStable, {"another company's note", {1}}}};
        if (c.after) expected[testford::kCafeStable] = *c.after;
        EXPECT_EQ(ReadNotes(), expected);
    }
}

TEST_F(Cards, Commands_ChangeTheNoteRebuildTheCardAndReachTheFile) {
    const CommandCase cases[] = {
        {"a category toggled on a company without a note makes a note of it",
         {},
         "addCategory4",
         FileNote{"", {4}}},
        {"the same category toggled off leaves nothing",
         {{testford::kCafeStable, {"", {4}}}},
         "addCategory4",
         std::nullopt},
        {"categories keep their order",
         {{testford::kCafeStable, {"", {9}}}},
         "addCategory3",
         FileNote{"", {9, 3}}},
        {"deleting the text keeps the categories",
         {{testford::kCafeStable, {"x", {3}}}},
         "deleteNode",
         FileNote{"", {3}}},
        {"deleting the only text removes the note",
         {{testford::kCafeStable, {"x", {}}}},
         "deleteNode",
         std::nullopt},
    };
    RunCommandCases(cases);
}

// Deleting the categories lets the company go from their map layers first; enabled once
// the map layers answer for that.
TEST_F(Cards, DeleteCategories_ClearsTheCategoriesAndKeepsANoteWithText) {
    const CommandCase cases[] = {
        {"deleting the categories keeps the text",
         {{testford::kCafeStable, {"x", {3, 5}}}},
         "deleteCategory",
         FileNote{"x", {}}},
        {"deleting the only categories removes the note",
         {{testford::kCafeStable, {"", {3, 5}}}},
         "deleteCategory",
         std::nullopt},
    };
    RunCommandCases(cases);
}

TEST_F(Cards, CategoryToggle_TakesTheStableIdFromTheCardsCompany) {
    EXPECT_TRUE(
        Run("open 14\nclick addCategory0\nopen 13\nclick addCategory1\n").ends_with(kCleanAccounting));
    EXPECT_EQ(ReadNotes(), (FileNotes{{testford::kEdgeStable, {"", {0}}}, {testford::kTaxisStable, {"", {1}}}}));
}

TEST_F(Cards, OpenCards_StayOpenUntilClosedTheLatestBeingCurrent) {
    const std::string out = Run("open 11\nopen 12\ncard\nclose\ncard\nclose\nclose\ncard\nclick addNode\n");
    std::istringstream lines(out);
    std::vector<std::string> heads;
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with("button") && !line.starts_with("item") && !line.starts_with("submenu") &&
            !line.starts_with("note:") && !line.starts_with("marks:"))
            heads.push_back(line);
    EXPECT_EQ(heads,
              (std::vector<std::string>{
                  "card 11 \"Café Lumière\"", "card 12 \"Mill Street Dental\"",
                  "card 12 \"Mill Street Dental\"", "closed card 12", "card 11 \"Café Lumière\"",
                  "closed card 11", "error: close: no card is open", "error: card: no card is open",
                  "error: click: no card is open", kCleanAccounting.substr(0, kCleanAccounting.size() - 1)}));
}

TEST_F(Cards, Mistakes_GiveAnErrorAndChangeNothing) {
    WriteNotes({{testford::kCafeStable, {"kept", {2}}}});
    const std::string out = Run("open 99\nopen 400000001\nopen x\nopen\ncell 99 0\ncell 11\ncell 11 x\nopen "
                                "11\nclick addCategory18\n");
    EXPECT_NE(out.find("error: open: no company has the id 99\n"
                       "error: open: no company has the id 400000001\n"
                       "error: open: not a company id: \"x\"\n"
                       "error: usage: open ID\n"
                       "error: cell: the city has no object with the id 99\n"
                       "error: usage: cell ID KIND\n"
                       "error: cell: not a display kind: \"x\"\n"
                       "card 11"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("error: click: the card has no command \"addCategory18\"\n"), std::string::npos)
        << out;
    EXPECT_EQ(ReadNotes(), (FileNotes{{testford::kCafeStable, {"kept", {2}}}}));
}

// What the cell controller gives for any directory object, as the page's entries and
// cards ask it: the note in the kinds the host uses, the marks in theirs, nothing for an
// object that is no company.
TEST_F(Cards, Cell_GivesTheNoteAndMarksByDisplayKindAndNothingForOtherObjects) {
    WriteNotes({{testford::kCafeStable, {"  a\nb <&> &lt;", {2, 7}}}, {testford::kDentistStable, {"plain", {}}}});
    const std::string text = "  a<br/>b &lt;&amp;&gt; &amp;lt;";
    const std::string marks = Mark(2) + Mark(7) + " ";
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"cell 11 0", "note[0]: S_OK \"" + kParagraph + text + "</strong></p>\"\nmarks[0]: E_FAIL \"\"\n"},
        {"cell 11 1",
         "note[1]: S_OK \"" + kParagraph + text + "</strong></p>\"\nmarks[1]: S_OK \"" + marks + "\"\n"},
        {"cell 11 2",
         "note[2]: S_OK \"" + kParagraph + text + "</strong></p>\"\nmarks[2]: S_OK \"" + marks + "\"\n"},
        {"cell 11 3", "note[3]: S_OK \"" + kParagraph + text + "</strong></p>\"\nmarks[3]: E_FAIL \"\"\n"},
        {"cell 11 4", "note[4]: S_OK \"\\r\\n  a\\nb <&> &lt;\"\nmarks[4]: E_FAIL \"\"\n"},
        {"cell 11 5", "note[5]: S_OK \"<strong>" + text + "</strong>\"\nmarks[5]: S_OK \"" + marks + "\"\n"},
        {"cell 12 5", "note[5]: S_OK \"<strong>plain</strong>\"\nmarks[5]: S_OK \"\"\n"},
        {"cell 13 5", "note[5]: S_OK \"\"\nmarks[5]: S_OK \"\"\n"},
        {"cell 400000001 5", "note[5]: null \"\"\nmarks[5]: null \"\"\n"},
        {"cell 600000001 1", "note[1]: null \"\"\nmarks[1]: null \"\"\n"},
        {"cell 201 2", "note[2]: null \"\"\nmarks[2]: null \"\"\n"},
        {"cell 400000001 0", "note[0]: null \"\"\nmarks[0]: E_FAIL \"\"\n"},
    };
    std::string script, expected;
    for (const Case& c : cases) {
        script += c.command + "\n";
        expected += c.expected;
    }
    EXPECT_EQ(Run(script), expected + kCleanAccounting);
}

TEST_F(Cards, HostFailuresWhileStarting_AreReportedAndLeaveNothingBehind) {
    struct Case {
        const char* operation;
        bool yieldNothing;
        HRESULT started;
    };
    const Case cases[] = {
        {"IHostFrame.SearchView", false, E_FAIL},
        {"IHostFrame.SearchView", true, E_FAIL},
        {"IHostSearchView.Page", false, E_FAIL},
        {"IHostSearchView.Page", true, E_FAIL},
        {"IHostDirPage.AttachController", false, E_FAIL},
        {"IHostControlFactory.CreateStandardControl", false, E_FAIL},
        {"IHostControlFactory.CreateStandardControl", true, E_FAIL},
        {"IHostStandardControl.SetStyle", false, E_FAIL},
        {"IHostImageCollection.Image", false, E_FAIL},
        // A map layer block cannot show a category without its image.
        {"IHostImageCollection.Image", true, E_FAIL},
        // An operation with nothing to give succeeds, and the plug-in goes on without it.
        {"IHostStandardControl.SetStyle", true, S_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + (c.yieldNothing ? " yields nothing" : " fails"));
        zelt_ = std::make_unique<host::ZeltHost>(
            host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, TestfordPath(), appData_.string()});
        zelt_->Load();
        if (c.yieldNothing)
            zelt_->Faults().YieldNothing(c.operation);
        else
            zelt_->Faults().Fail(c.operation, E_UNEXPECTED);
        EXPECT_EQ(zelt_->Start(), c.started);
        zelt_->Faults().Clear();
        EXPECT_EQ(zelt_->Stop(), S_OK);
        EXPECT_EQ(zelt_->PluginObjects(), 0);
        EXPECT_EQ(zelt_->ForeignHostReferences(), 0);
    }
}

TEST_F(Cards, HostFailuresOnTheCard_EndTheStepWithoutHarmAndLeaveNothingAfterQuit) {
    struct Case {
        const char* operation;
        bool yieldNothing;
        unsigned fromCall;
        std::string script, expected; // a run of lines the output must hold
        FileNote cafeAfter;
    };
    const FileNote before{"x", {3}};
    const std::string rebuilt =
        CardText(11, kCafe, kParagraph + "x</strong></p>", Mark(3) + Mark(4) + " ", true, {3, 4});
    const Case cases[] = {
        // The card still opens, with the note, but the plug-in could not read its company.
        {"IHostCardContext.Object", false, 1, "open 11\nclick addCategory4\n",
         "marks: \"" + Mark(3) + " \"\nerror: click: the card has no command \"addCategory4\"\n", before},
        {"IHostCardContext.Object", true, 1, "open 11\nclick addNode\n",
         "error: click: the card has no command \"addNode\"\n", before},
        {"IHostCardCommands.AddSubmenu", false, 1, "open 11\nclick addCategory4\n",
         "placement=\"MY02notesgroup:3\"\nerror: click: the card has no command \"addCategory4\"\n", before},
        {"IHostCardCommands.AddControl", false, 2, "open 11\nclick deleteNode\n",
         "placement=\"MY02notesgroup:1\"\nerror: click: the card has no command \"deleteNode\"\n", before},
        // The note is stored before the card is asked to rebuild.
        {"IHostCardContext.Refresh", false, 1, "open 11\nclick addCategory4\ncard\n",
         "error: click: the command \"addCategory4\" failed: E_FAIL\ncard 11", FileNote{"x", {3, 4}}},
        {"IHostCardContext.Refresh", true, 1, "open 11\nclick addCategory4\n", rebuilt.substr(0, 40),
         FileNote{"x", {3, 4}}},
        // The company's object, asked again while the command runs, fails: nothing changes.
        {"IHostCardContext.Object", false, 3, "open 11\nclick addCategory4\n",
         "error: click: the command \"addCategory4\" failed: E_FAIL\n", before},
        // Opening the card reads the ids of the company and its three buildings for the map
        // marks, then the company's for the commands, the note and the marks.
        {"IHostDirObject.Id", false, 8, "open 11\nclick addCategory4\n",
         "error: click: the command \"addCategory4\" failed: E_FAIL\n", before},
        {"IHostTable.ObjectByStableId", false, 1, "open 11\nclick deleteCategory\n",
         "error: click: the command \"deleteCategory\" failed: E_FAIL\n", before},
        // The page keeps a controller it failed to let go; the host drops it when it stops.
        {"IHostDirPage.DetachController", false, 1, "open 11\nclick addCategory4\n", rebuilt,
         FileNote{"x", {3, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) +
                     (c.yieldNothing ? " yields nothing from call " : " fails from call ") +
                     std::to_string(c.fromCall));
        zelt_.reset();
        fs::remove_all(appData_ / "Zelt");
        WriteNotes({{testford::kCafeStable, before}});
        ASSERT_EQ(Zelt().Start(), S_OK);
        if (c.yieldNothing)
            Zelt().Faults().YieldNothing(c.operation, c.fromCall);
        else
            Zelt().Faults().Fail(c.operation, E_UNEXPECTED, c.fromCall);
        const std::string out = Run(c.script);
        EXPECT_NE(out.find(c.expected), std::string::npos) << out;
        EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
        EXPECT_EQ(ReadNotes(), (FileNotes{{testford::kCafeStable, c.cafeAfter}}));
    }
}

TEST_F(Cards, StableIdThatIsNoNumber_EndsTheCommandWithNothingChanged) {
    Zelt().Faults().Fail("IHostDirObject.Attribute", DISP_E_PARAMNOTFOUND);
    const std::string out = Run("open 12\nclick addCategory1\n");
    EXPECT_NE(out.find("error: click: the command \"addCategory1\" failed: E_FAIL\n"), std::string::npos)
        << out;
    EXPECT_TRUE(ReadNotes().empty());
}

TEST_F(Cards, ALongNoteAndACompanyOfTenThousandBranches_Work) {
    const std::string city = TempPath("Data_Chainford.dat");
    {
        citygen::CityWriter w(city, "Chainford");
        w.AddStreet(600000001, 1, "Long Road");
        w.AddCompany(1, 10, "Everywhere Ltd", "shop");
        for (int b = 1; b <= 10000; ++b) {
            w.AddBuilding(400000000 + b, 1000 + b, 600000001, std::to_string(b));
            w.AddBranch(200000000 + b, 50000 + b, 1, b, 400000000 + b);
        }
        w.Commit();
    }
    std::string megabyte(1 << 20, 'n');
    megabyte[1000] = '<';
    fs::create_directories(appData_ / "Zelt" / "DirNotes");
    {
        pugi::xml_document doc;
        pugi::xml_node root = doc.append_child("DirectoryNotes");
        root.append_child("MapName").text().set("Chainford");
        pugi::xml_node note = root.append_child("Note");
        note.append_child("id").text().set(10);
        note.append_child("comment").append_child("text").text().set(megabyte.c_str());
        ASSERT_TRUE(doc.save_file((appData_ / "Zelt" / "DirNotes" / "Data_Chainford.xml").c_str()));
    }
    Zelt(city);
    ASSERT_EQ(started_, S_OK);
    host::HostCard& card = Zelt().Cards().Open(1);
    EXPECT_EQ(card.Note().text.size(), kParagraph.size() - 2 + megabyte.size() + 3 + 13)
        << "the paragraph, the text with its one escaped character and the end tags";
    std::istringstream in("click addCategory2\nclick deleteNode\nclose\n");
    std::ostringstream out;
    EXPECT_EQ(host::HostShell(Zelt(), out).Run(in, false), 0) << out.str();
    EXPECT_NE(out.str().find("marks: \"" + Mark(2) + " \"\n"), std::string::npos);
    EXPECT_TRUE(out.str().ends_with("closed card 1\n" + kCleanAccounting)) << out.str().substr(0, 300);
}

// The note commands as the host sees them: the interfaces they answer, their state and
// the host control they wrap.
TEST_F(Cards, Commands_AnswerTheHostsInterfacesWithTheirState) {
    WriteNotes({{testford::kCafeStable, {"", {5}}}});
    host::HostCard& card = Zelt().Cards().Open(testford::kCafe);
    const auto& entries = card.Commands()->Entries();
    ASSERT_EQ(entries.size(), 4u);
    const zsys::ComPtr<IUnknown> edit = entries[0].command, deleteNote = entries[2].command;
    const zsys::ComPtr<IUnknown> violet = entries[3].submenu->Entries()[5].command;

    constexpr IID kControlState = IControlState::iid,
                  kChanging = zsys::Guid("{B7031065-E390-11DD-AD8B-0800200C9A66}");
    for (const IID& iid : {IContainerControl::iid, IControlPlacement::iid, IControlAppearance::iid,
                           ICommandAction::iid, ICommandState::iid, kControlState, kChanging}) {
        zsys::ComPtr<IUnknown> side;
        EXPECT_EQ(edit->QueryInterface(iid, side.put_void()), S_OK) << zsys::FormatGuid(iid);
    }
    zsys::ComPtr<IUnknown> asState, asCommandState;
    ASSERT_EQ(edit->QueryInterface(kControlState, asState.put_void()), S_OK);
    ASSERT_EQ(edit->QueryInterface(ICommandState::iid, asCommandState.put_void()), S_OK);
    EXPECT_EQ(asState.get(), asCommandState.get()) << "one pointer answers both";

    VARIANT_BOOL flag = 0;
    const auto state = [](const zsys::ComPtr<IUnknown>& command) { return command.as<ICommandState>(); };
    EXPECT_EQ(state(edit)->Visible(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(state(edit)->Enabled(&flag), S_OK);
    EXPECT_EQ(flag, 1) << "enabled is written as 1";
    EXPECT_EQ(state(deleteNote)->Enabled(&flag), S_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(state(violet)->Checked(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(state(edit)->Checked(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(state(edit)->Enabled(nullptr), E_POINTER);

    const auto appearance = violet.as<IControlAppearance>();
    zsys::ComPtr<IUnknown> image;
    EXPECT_EQ(appearance->Image(image.put()), S_OK);
    EXPECT_TRUE(image.try_as<IHostImage>()) << "a category item shows its category's image";
    EXPECT_EQ(edit.as<IControlAppearance>()->Image(image.put()), S_OK);
    EXPECT_FALSE(image);
    EXPECT_EQ(appearance->Caption(nullptr), E_POINTER);

    zsys::ComPtr<IUnknown> inner;
    EXPECT_EQ(edit.as<IContainerControl>()->Control(inner.put()), S_OK);
    const auto* control =
        dynamic_cast<host::HostStandardControl*>(inner.try_as<IHostStandardControl>().get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Kind(), 0);
    EXPECT_EQ(control->Style(), 4);
    EXPECT_EQ(edit.as<IContainerControl>()->Control(nullptr), E_POINTER);
}

// The page controller and its cell controller answer the host's mistakes without harm.
TEST_F(Cards, PageAndCellControllers_RefuseMissingArguments) {
    const auto cells = Zelt().Cards().CellController();
    ASSERT_TRUE(cells);
    const auto& controllers = Zelt().View().MainFrame().Results().OrganisationPage().Controllers();
    ASSERT_EQ(controllers.size(), 1u);
    const auto page = controllers[0].as<IStdDirectoryCustomController>();
    zsys::ComPtr<IUnknown> handed;
    EXPECT_EQ(page->CellController(nullptr, handed.put()), E_INVALIDARG);
    EXPECT_FALSE(handed);
    EXPECT_EQ(page->CellController(page.get(), nullptr), E_POINTER);
    EXPECT_EQ(page->CellController(page.get(), handed.put()), S_OK);
    EXPECT_EQ(handed.try_as<IStdDirectoryCellCustomController>().get(), cells.get())
        << "the same one every time";

    const auto company = Zelt().Cards().DirectoryObject(testford::kCafe);
    zsys::Bstr text;
    EXPECT_EQ(cells->NoteText(0, nullptr, company.get(), text.put()), E_INVALIDARG);
    EXPECT_EQ(cells->NoteText(0, page.get(), nullptr, text.put()), E_INVALIDARG);
    EXPECT_EQ(cells->NoteText(0, page.get(), company.get(), nullptr), E_POINTER);
    const auto marks = cells.as<ZeltHidden::IStdDirectoryCellCustomControllerPriv>();
    EXPECT_EQ(marks->CategoryMarks(1, nullptr, company.get(), text.put()), E_INVALIDARG);
    EXPECT_EQ(marks->CategoryMarks(1, page.get(), company.get(), nullptr), E_POINTER);
    EXPECT_EQ(cells->CardOpened(nullptr), E_INVALIDARG);
    EXPECT_EQ(cells->CardBuilt(nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(cells->Unused5(0, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(cells->Unused7(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(cells->Unused9(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);

    zsys::ComPtr<IUnknown> images;
    EXPECT_EQ(cells->ImageCollection(nullptr, nullptr, nullptr), E_POINTER);
    ASSERT_EQ(cells->ImageCollection(nullptr, nullptr, images.put()), S_OK);
    LONG count = 0;
    EXPECT_EQ(images.as<IHostImageCollection>()->Count(&count), S_OK);
    EXPECT_EQ(count, 18) << "the images the marks name";
    zsys::ComPtr<IUnknown> mark;
    EXPECT_EQ(images.as<IHostImageCollection>()->Image(zsys::Bstr(u"MYUNIQUETAG17").get(), mark.put()), S_OK);
    EXPECT_TRUE(mark);
}

TEST_F(Cards, RefreshBuildsTheCardAnewAndClosingTellsThePlugin) {
    host::HostCard& card = Zelt().Cards().Open(testford::kCafe);
    EXPECT_EQ(card.Builds(), 1);
    EXPECT_EQ(card.BuildResult(), S_OK);
    const zsys::ComPtr<host::HostCard> held(&card);
    EXPECT_EQ(card.Refresh(), S_OK);
    EXPECT_EQ(card.Builds(), 2);
    EXPECT_EQ(card.Commands()->Entries().size(), 4u) << "the commands of the new build only";
    // The plug-in reads the company of a closing card.
    Zelt().Faults().Fail("IHostCardContext.Object", E_UNEXPECTED, 1000);
    Zelt().Cards().CloseCurrent();
    EXPECT_EQ(Zelt().Faults().Calls("IHostCardContext.Object"), 1u);
    EXPECT_TRUE(card.Closed());
    EXPECT_EQ(card.Commands(), nullptr) << "the plug-in's commands are let go";
    EXPECT_EQ(card.Refresh(), S_FALSE) << "a closed card is not built again";
    EXPECT_EQ(card.Builds(), 2);
}
