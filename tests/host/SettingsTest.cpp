// The settings end to end: the plug-in started by the reference host on Testford, its
// settings opened from the notes group's button or the host's options and driven through the
// shell as a person or a script would; what changed is read from the card, the map and the
// notes file written at quit.
#include "host/CityDatabase.h"
#include "host/HostImage.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/shell/HostShell.h"
#include "tests/host/HostTestSupport.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

using namespace hosttest;

namespace {
namespace fs = std::filesystem;

struct FileNote {
    std::string text;
    std::vector<int> categories;
    friend bool operator==(const FileNote&, const FileNote&) = default;
};
using FileNotes = std::map<std::int32_t, FileNote>; // by stable id

std::ostream& operator<<(std::ostream& out, const FileNote& note) {
    out << "{\"" << note.text.substr(0, 40) << "\",";
    for (int c : note.categories)
        out << " " << c;
    return out << "}";
}

// A notes file as the plug-in writes it, of a city, with category names when given.
std::string NotesXml(const FileNotes& notes, const std::string& city = "Testford",
                     const std::vector<std::string>& names = {}) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("DirectoryNotes");
    root.append_child("MapName").text().set(city.c_str());
    if (!names.empty()) {
        pugi::xml_node categories = root.append_child("Categories");
        for (const std::string& name : names)
            categories.append_child("Category").text().set(name.c_str());
    }
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
    std::ostringstream out;
    doc.save(out);
    return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct FileContents {
    FileNotes notes;
    std::vector<std::string> names;
};

FileContents ReadNotesFile(const fs::path& path) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str())) << path;
    FileContents contents;
    const pugi::xml_node root = doc.child("DirectoryNotes");
    for (pugi::xml_node name : root.child("Categories").children("Category"))
        contents.names.push_back(name.child_value());
    for (pugi::xml_node note : root.children("Note")) {
        FileNote& read = contents.notes[note.child("id").text().as_int()];
        read.text = note.child("comment").child_value("text");
        for (pugi::xml_node color : note.child("marker").children("color"))
            read.categories.push_back(color.text().as_int());
    }
    return contents;
}

std::vector<std::string> DefaultNames() {
    return {"red",     "yellow", "green",   "light blue", "blue", "violet", "orange", "pink",   "apple-green",
            "emerald", "azure",  "fuchsia", "white",      "gray", "black",  "brown",  "creamy", "olive"};
}

// A message box as the shell prints it.
std::string Message(const std::string& text, const std::string& caption, const std::string& buttons,
                    const std::string& icon) {
    return "message \"" + text + "\" caption=\"" + caption + "\" buttons=" + buttons + " icon=" + icon + "\n";
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

const std::string kSettingsControls = "control 2 default-button \"Close\"\n"
                                      "control -1 group \"Category name\"\n"
                                      "control 120 list \"\"\n"
                                      "control 121 button \"Import notes\"\n"
                                      "control 122 button \"Export notes\"\n"
                                      "control 123 button \"Delete notes\"\n";

const FileNotes kCityNotes{{testford::kCafeStable, {"call Ann", {2}}}, {testford::kDentistStable, {"", {5, 1}}}};

class Settings : public testing::Test {
protected:
    Settings() {
        char pattern[] = "/tmp/settings_test.XXXXXX";
        dir_ = mkdtemp(pattern);
    }
    ~Settings() override {
        zelt_.reset();
        fs::remove_all(dir_);
    }

    fs::path NotesFile() const { return dir_ / "appdata" / "Zelt" / "DirNotes" / "Data_Testford.xml"; }
    fs::path File(const std::string& name) const { return dir_ / name; }

    // A fresh host whose Testford starts with these notes (on another city, they lie unread).
    host::ZeltHost& Restart(const FileNotes& notes, const std::string& city = TestfordPath()) {
        zelt_.reset();
        fs::remove_all(dir_ / "appdata");
        WriteBytes(NotesFile(), NotesXml(notes));
        zelt_ = std::make_unique<host::ZeltHost>(
            host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, city, (dir_ / "appdata").string()});
        zelt_->Load();
        EXPECT_EQ(zelt_->Start(), S_OK);
        return *zelt_;
    }

    // What the shell answers to the commands; the end of the input stops the plug-in.
    std::string Run(const std::string& commands) {
        std::istringstream in(commands);
        std::ostringstream out;
        const int status = host::HostShell(*zelt_, out).Run(in, false);
        EXPECT_EQ(status, 0) << "the plug-in left something behind";
        return out.str();
    }

    fs::path dir_;
    std::unique_ptr<host::ZeltHost> zelt_;
};
} // namespace

TEST_F(Settings, ButtonAndOptions_OpenTheSameDialogWithTheNamesAndSwatches) {
    host::ZeltHost& zelt = Restart(kCityNotes);
    {
        const auto& groups = zelt.View().MainFrame().SearchTab().Groups();
        ASSERT_EQ(groups.size(), 1u);
        ASSERT_EQ(groups[0]->Buttons().size(), 1u);
        const auto button = groups[0]->Buttons()[0];
        const auto appearance = button.try_as<ZeltCore::IControlAppearance>();
        ASSERT_TRUE(appearance && button.try_as<ZeltCore::ICommandAction>());
        zsys::Bstr tag, caption, tooltip;
        EXPECT_EQ(appearance->Tag(tag.put()), S_OK);
        EXPECT_EQ(appearance->Caption(caption.put()), S_OK);
        EXPECT_EQ(appearance->Tooltip(tooltip.put()), S_OK);
        EXPECT_EQ(tag.str(), u"VeskNotes.RibbonOptions");
        EXPECT_EQ(caption.str(), u"Configure");
        EXPECT_EQ(tooltip.str(), u"Open settings dialog");
        zsys::ComPtr<IUnknown> image;
        ASSERT_EQ(appearance->Image(image.put()), S_OK);
        const auto* picture = dynamic_cast<const host::HostImage*>(image.get());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Width(), 90);
        EXPECT_EQ(picture->Height(), 60);
    } // the test lets go of the button before the plug-in stops

    std::string items;
    for (int i = 0; i < 18; ++i)
        items +=
            "item " + std::to_string(i) + " \"" + DefaultNames()[i] + "\" image=" + std::to_string(i) + "\n";
    const std::string out = Run("configure\nitems\nclose\noptions\nescape\nconfigure\nenter\n");
    EXPECT_EQ(Occurrences(out, "dialog 115 \"Notes module settings\" at "), 3u) << out;
    EXPECT_EQ(Occurrences(out, kSettingsControls), 3u) << out;
    EXPECT_NE(out.find(kSettingsControls + items), std::string::npos) << out;
    EXPECT_EQ(out.find("error"), std::string::npos) << out;
    EXPECT_EQ(ReadNotesFile(NotesFile()).notes, kCityNotes);
}

TEST_F(Settings, OptionsAndButton_WithoutARunningPluginShowNothing) {
    {
        host::ZeltHost loaded({VESK_PLUGIN_PATH, 1033, TestfordPath(), (dir_ / "appdata").string()});
        loaded.Load();
        std::istringstream in("options\n");
        std::ostringstream out;
        host::HostShell(loaded, out).Run(in, false);
        EXPECT_TRUE(out.str().starts_with("error: options: E_FAIL\n")) << out.str();
    }

    zelt_ = std::make_unique<host::ZeltHost>(
        host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, TestfordPath(), (dir_ / "appdata").string()});
    zelt_->Load();
    zelt_->Faults().Fail("IHostSearchGroupButtons.AddButton", E_UNEXPECTED);
    EXPECT_EQ(zelt_->Start(), E_FAIL) << "a group that refuses the button fails the start";
    EXPECT_EQ(Run("options\nconfigure\n"),
              "error: options: E_FAIL\nerror: configure: the search tab has no notes group with a button\n"
              "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n");

    // Stopped, the plug-in leaves its button with the host until the host drops the group;
    // pressed then, it opens nothing.
    host::ZeltHost& stopped = Restart(kCityNotes);
    ASSERT_EQ(stopped.Library()->Plugin().as<ZeltCore::IZeltPlugin>()->Terminate(), S_OK);
    EXPECT_EQ(Run("configure\noptions\n"),
              "error: options: E_FAIL\n"
              "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n");
}

TEST_F(Settings, Rename_ReachesTheCardsSubmenuTheMapAndTheNotesFile) {
    const std::string x127(127, 'x'), x128(128, 'x');
    const struct {
        const char* what;
        std::string edit;
        std::string name, shown; // the name in the file, and as the shell prints it
    } cases[] = {
        {"a new name", "label 0 Urgent", "Urgent", "Urgent"},
        {"200 characters keep the first 128", "label 0 " + std::string(200, 'x'), x128, x128},
        {"a character of two units is not split", "label 0 " + x127 + "\xF0\x9F\x98\x80", x127, x127},
        {"an empty name is refused", "label 0 ", "red", "red"},
        {"a cancelled edit", "label-cancel 0", "red", "red"},
        {"markup and line feeds stay as typed", "label 0 A & \"B\" <C>\\nD", "A & \"B\" <C>\nD",
         "A & \\\"B\\\" <C>\\nD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host::ZeltHost& zelt = Restart(kCityNotes);
        zelt.Faults().Fail("IHostLayerBlockList.Add", E_FAIL, 1000); // counted, never failing
        const std::string out = Run("open 11\nconfigure\n" + c.edit + "\nitems\npress 2\nopen 11\nmap\n");
        EXPECT_NE(out.find("item 0 \"" + c.shown + "\" image=0\n"), std::string::npos) << out;
        const bool renamed = c.name != "red";
        EXPECT_EQ(zelt.Faults().Calls("IHostLayerBlockList.Add"), renamed ? 18u : 0u)
            << "the map is refreshed only when a name changed";
        EXPECT_EQ(Occurrences(out, "item addCategory0 caption=\"" + c.shown + "\" enabled=1 checked=0\n"),
                  renamed ? 1u : 2u)
            << out;
        EXPECT_NE(out.find("block NodesIcon0 \"" + c.shown + "\":\n"), std::string::npos) << out;
        std::vector<std::string> names = DefaultNames();
        names[0] = c.name;
        EXPECT_EQ(ReadNotesFile(NotesFile()).names, names);
        EXPECT_EQ(ReadNotesFile(NotesFile()).notes, kCityNotes);
    }
}

TEST_F(Settings, ExportThenImportOfTheSameCity_AddsNothingAndChangesNothing) {
    Restart(kCityNotes);
    const std::string exported = File("exported.xml").string();
    const std::string out = Run("configure\npress 122\nfile " + exported + "\nanswer ok\npress 121\nfile " +
                                exported + "\nanswer ok\npress 2\n");
    EXPECT_NE(out.find("file-dialog save filter=\"XML Files|*.xml\" ext=xml\n" +
                       Message("Exported 2 notes", "Export notes", "ok", "information") +
                       "file-dialog open filter=\"XML Files|*.xml\" ext=xml\n" +
                       Message("Added 0 notes", "Import notes", "ok", "information")),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("dialog 116"), std::string::npos) << "equal notes ask nothing";
    EXPECT_EQ(ReadNotesFile(NotesFile()).notes, kCityNotes);
}

TEST_F(Settings, ImportOfADifferingNote_AsksAndFollowsTheAnswer) {
    std::vector<std::string> fileNames = DefaultNames();
    fileNames[0] = "from the file";
    const FileNotes file{{testford::kCafeStable, {"theirs", {3}}},
                         {testford::kDentistStable, kCityNotes.at(testford::kDentistStable)},
                         {testford::kTaxisStable, {"new", {4}}}};
    const std::string question = "dialog 116 \"Import notes\" at ";
    const std::string questionControls =
        "control 117 button \"Replace\"\n"
        "control 118 button \"Keep\"\n"
        "control 2 button \"Cancel\"\n"
        "control 125 icon \"#32516\"\n"
        "control -1 static \"Some companies in the directory have \"\n"
        "control -1 static \"already have notes.\"\n"
        "control -1 static \"Replace these notes with new ones or keep them?\"\n";
    FileNotes kept = kCityNotes;
    kept[testford::kTaxisStable] = {"new", {4}};
    const struct {
        const char* what;
        std::string answer;
        std::string message; // empty: none
        FileNotes notes;
        std::string name0;
    } cases[] = {
        {"Replace takes the file's notes and names", "press 117",
         Message("Imported 3 notes", "Import notes", "ok", "information"), file, "from the file"},
        {"Keep adds only what is missing", "press 118",
         Message("Added 1 note", "Import notes", "ok", "information"), kept, "red"},
        {"Cancel changes nothing", "press 2", "", kCityNotes, "red"},
        {"the close box cancels", "close", "", kCityNotes, "red"},
    };
    WriteBytes(File("import.xml"), NotesXml(file, "Testford", fileNames));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(kCityNotes);
        const std::string out =
            Run("open 11\nconfigure\npress 121\nfile " + File("import.xml").string() + "\n" + c.answer +
                "\n" + (c.message.empty() ? "" : "answer ok\n") + "items\npress 2\nopen 11\nmap\n");
        EXPECT_NE(out.find(question), std::string::npos) << out;
        EXPECT_NE(out.find(questionControls), std::string::npos) << out;
        EXPECT_EQ(Occurrences(out, "message "), c.message.empty() ? 0u : 1u) << out;
        if (!c.message.empty()) {
            EXPECT_NE(out.find(questionControls + c.message), std::string::npos) << out;
        }
        // The list shows the names the dialog applies as it closes; the views follow them.
        EXPECT_NE(out.find("item 0 \"" + c.name0 + "\" image=0\n"), std::string::npos) << out;
        EXPECT_NE(out.find("item addCategory0 caption=\"" + c.name0 + "\""), std::string::npos) << out;
        EXPECT_NE(out.find("block NodesIcon0 \"" + c.name0 + "\":"), std::string::npos) << out;
        const FileContents after = ReadNotesFile(NotesFile());
        EXPECT_EQ(after.notes, c.notes);
        EXPECT_EQ(after.names[0], c.name0);
    }
}

TEST_F(Settings, Import_OfBadOrOddFiles_SaysWhatHappenedAndChangesNothingElse) {
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"<?xml version=\"1.0\"?><DirectoryNotes><MapName>Testford"
                                              u"</MapName><Note><id>11</id><comment><text>Grüße</text>"
                                              u"</comment></Note></DirectoryNotes>")) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const std::string large = NotesXml({{testford::kTaxisStable, {std::string(50 << 20, 'n'), {}}}});
    const std::string notRead =
        Message("Couldn't read data from file.", "Notes import error", "ok", "warning");
    const std::string corrupt =
        Message("Couldn't find notes in file. File is corrupted.", "Notes import error", "ok", "warning");
    const std::string otherCity =
        Message("Failed to load notes.Selected file doesn't have notes on companies\\nin the cityTestford.",
                "Notes import error", "ok", "warning");
    const struct {
        const char* what;
        std::string bytes;
        std::string message;
        FileNotes added;
    } cases[] = {
        {"an empty file cannot be read", "", notRead, {}},
        {"not XML", "these are no notes, just words\n", corrupt, {}},
        {"no MapName", "<DirectoryNotes><Note><id>11</id></Note></DirectoryNotes>", corrupt, {}},
        {"another city", NotesXml({{testford::kTaxisStable, {"x", {}}}}, "Riverton"), otherCity, {}},
        {"no notes", NotesXml({}), Message("Added 0 notes", "Import notes", "ok", "information"), {}},
        {"only unknown categories",
         NotesXml({{testford::kTaxisStable, {"", {40}}}, {testford::kEdgeStable, {"", {25, -1}}}}),
         Message("Added 0 notes", "Import notes", "ok", "information"),
         {}},
        {"a note whose only category is 40 is dropped, the others counted",
         NotesXml({{testford::kTaxisStable, {"", {40}}}, {testford::kEdgeStable, {"kept", {40, 3}}}}),
         Message("Added 1 note", "Import notes", "ok", "information"),
         {{testford::kEdgeStable, {"kept", {3}}}}},
        {"UTF-16",
         utf16,
         Message("Added 1 note", "Import notes", "ok", "information"),
         {{testford::kTaxisStable, {"Grüße", {}}}}},
        {"50 MB",
         large,
         Message("Added 1 note", "Import notes", "ok", "information"),
         {{testford::kTaxisStable, {std::string(50 << 20, 'n'), {}}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(kCityNotes);
        WriteBytes(File("import.xml"), c.bytes);
        const std::string out = Run("configure\npress 121\nfile " + File("import.xml").string() +
                                    "\nanswer ok\nitems\npress 2\n");
        EXPECT_NE(
            out.find("file-dialog open filter=\"XML Files|*.xml\" ext=xml\n" + c.message + "item 0 \"red\""),
            std::string::npos)
            << out.substr(0, 2000);
        EXPECT_EQ(Occurrences(out, "message "), 1u);
        FileNotes expected = kCityNotes;
        expected.insert(c.added.begin(), c.added.end());
        EXPECT_EQ(ReadNotesFile(NotesFile()).notes, expected);
        EXPECT_EQ(ReadNotesFile(NotesFile()).names, DefaultNames());
    }
}

TEST_F(Settings, Export_ToWhereItCannotWriteSaysSoAndLeavesNoFile) {
    const fs::path existing = File("existing.xml");
    const struct {
        const char* what;
        fs::path target;
        std::string message; // the start of it
        std::string caption, icon;
    } cases[] = {
        {"a folder that does not exist", File("missing") / "notes.xml", "Notes export failed.\\n",
         "Notes export error", "warning"},
        {"a folder that cannot be written", "/sys/vesk_notes_export.xml", "Notes export failed.\\n",
         "Notes export error", "warning"},
        {"an existing file is replaced without asking", existing, "Exported 2 notes\"", "Export notes",
         "information"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(kCityNotes);
        WriteBytes(existing, "an older file\n");
        const std::string out =
            Run("configure\npress 122\nfile " + c.target.string() + "\nanswer ok\npress 2\n");
        EXPECT_NE(out.find("message \"" + c.message), std::string::npos) << out;
        EXPECT_NE(out.find("caption=\"" + c.caption + "\" buttons=ok icon=" + c.icon + "\n"),
                  std::string::npos)
            << out;
        EXPECT_EQ(Occurrences(out, "message "), 1u) << out;
        if (c.target == existing) {
            EXPECT_EQ(ReadNotesFile(existing).notes, kCityNotes);
        } else {
            EXPECT_FALSE(fs::exists(c.target));
            EXPECT_FALSE(fs::exists(File("missing")));
        }
    }
}

TEST_F(Settings, DeleteNotes_AsksWithTheCityNameAndOnYesTakesTheNotesAndTheirMarks) {
    const std::string question = Message("Are you sure you want to delete notes for\\ncompanies in Testford?",
                                         "Deleting notes", "yesno", "question");
    const std::string marked = "block NodesIcon2 \"green\": 400000001 400000002 400000003\n";
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        Restart(kCityNotes);
        const std::string out = Run(std::string("open 11\nmap\nconfigure\npress 123\nanswer ") +
                                    (yes ? "yes" : "no") + "\npress 2\nmap\n");
        EXPECT_NE(out.find(question), std::string::npos) << out;
        EXPECT_EQ(Occurrences(out, "message "), 1u) << "nothing more is said";
        EXPECT_EQ(Occurrences(out, marked), yes ? 1u : 2u) << out;
        EXPECT_EQ(Occurrences(out, "block NodesIcon2 \"green\":\n"), yes ? 1u : 0u) << out;
        EXPECT_EQ(ReadNotesFile(NotesFile()).notes, yes ? FileNotes{} : kCityNotes);
    }

    // The city's name is put in once, even when it holds the placeholder itself.
    const std::string odd = TempPath("Data_Odd.dat");
    {
        citygen::CityWriter w(odd, "{base_city_name}");
        w.AddCompany(1, 1, "Only Company", "cafe");
        w.Commit();
    }
    Restart({}, odd);
    EXPECT_NE(
        Run("configure\npress 123\nanswer no\npress 2\n")
            .find("message \"Are you sure you want to delete notes for\\ncompanies in {base_city_name}?\""),
        std::string::npos);
}

TEST_F(Settings, HostFailuresInTheFlows_AreReportedAndChangeNothing) {
    const std::string exported = File("exported.xml").string();
    WriteBytes(File("import.xml"), NotesXml({{testford::kTaxisStable, {"new", {}}}}));
    const std::string import =
        "configure\npress 121\nfile " + File("import.xml").string() + "\nanswer ok\npress 2\n";
    const std::string unknownImport = Message("Unknown error", "Notes import error", "ok", "warning");
    const struct {
        const char* what;
        const char* operation;
        unsigned times; // failing calls; 0: for good
        std::string commands;
        std::string said; // the one message shown, or the error line at the end of the dialog
    } cases[] = {
        {"export without the city's name", "IHostBase.Name", 1,
         "configure\npress 122\nfile " + exported + "\nanswer ok\npress 2\n",
         Message("Unknown error", "Notes export error", "ok", "warning")},
        {"import without the city's name", "IHostBase.Name", 1, import, unknownImport},
        {"import without the companies", "IHostTable.ObjectByStableId", 0, import, unknownImport},
        {"deletion without the city's name", "IHostBase.Name", 1, "configure\npress 123\npress 2\n",
         "error: configure: E_FAIL\n"},
        {"deletion without the companies", "IHostTable.ObjectByStableId", 0,
         "configure\npress 123\nanswer yes\npress 2\n", "error: configure: E_FAIL\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(kCityNotes).Faults().Fail(c.operation, E_UNEXPECTED, 1, c.times);
        const std::string out = Run(c.commands);
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
        EXPECT_FALSE(fs::exists(exported));
        EXPECT_EQ(ReadNotesFile(NotesFile()).notes, kCityNotes);
    }
}

// The messages that count notes, in each interface language: the imports add 1, 2, 5, 21
// and 0 notes to a city without notes, then the 29 notes are exported.
TEST_F(Settings, CountedMessages_TakeThePluralOfEachLanguage) {
    host::CityDatabase riverton(host::ZeltHost::DemoCityPath());
    std::vector<std::int32_t> stable;
    for (std::int32_t id : riverton.FirstIds(host::CityDatabase::Type::Company, 29))
        stable.push_back(riverton.Find(host::CityDatabase::Type::Company, id)->stableId);
    ASSERT_EQ(stable.size(), 29u);
    std::string script = "configure\n";
    std::size_t next = 0;
    for (const int count : {1, 2, 5, 21, 0}) {
        FileNotes notes;
        for (int i = 0; i < count; ++i)
            notes[stable[next++]] = {"note", {}};
        const fs::path file = File("import" + std::to_string(count) + ".xml");
        WriteBytes(file, NotesXml(notes, "Riverton"));
        script += "press 121\nfile " + file.string() + "\nanswer ok\n";
    }
    script += "press 122\nfile " + File("all.xml").string() + "\nanswer ok\npress 2\n";

    const struct {
        LANGID language;
        std::vector<std::string> said; // Added 1, 2, 5, 21, 0, then Exported 29
    } cases[] = {
        {1033,
         {"Added 1 note", "Added 2 notes", "Added 5 notes", "Added 21 notes", "Added 0 notes",
          "Exported 29 notes"}},
        {1049,
         {"Добавлено: 1 заметка", "Добавлено: 2 заметки", "Добавлено: 5 заметок", "Добавлено: 21 заметка",
          "Добавлено: 0 заметок", "Экспортировано: 29 заметок"}},
        {1058,
         {"Додано: 1 заметка", "Додано: 2 заметки", "Додано: 5 заметок", "Додано: 21 заметка",
          "Додано: 0 заметок", "Експортовано: 29 заметок"}},
        {1029,
         {"Přidáno: 1 poznámka", "Přidáno: 2 poznámky", "Přidáno: 5 poznámek", "Přidáno: 21 poznámek",
          "Přidáno: 0 poznámek", "Exportováno: 29 poznámek"}},
        {1040,
         {"Aggiunte: 1 nota", "Aggiunte: 2 note", "Aggiunte: 5 note", "Aggiunte: 21 note", "Aggiunte: 0 note",
          "Esportate: 29 note"}},
        {3082,
         {"Añadidas: 1 nota", "Añadidas: 2 notas", "Añadidas: 5 notas", "Añadidas: 21 notas",
          "Añadidas: 0 notas", "Exportadas: 29 notas"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        fs::remove_all(File("appdata"));
        const std::string out = RunHost(
            "--appdata " + File("appdata").string() + " --lang " + std::to_string(c.language), script);
        std::vector<std::string> said;
        for (std::size_t at = out.find("message \""); at != std::string::npos;
             at = out.find("message \"", at + 1))
            said.push_back(out.substr(at + 9, out.find('"', at + 9) - at - 9));
        EXPECT_EQ(said, c.said) << out;
    }
}

// A person's session: rename a category, export, delete all notes, import the export back
// and quit. The notes file is the one the export wrote before the deletion, new name included.
TEST_F(Settings, RenameExportDeleteImportQuit_LeavesTheNotesFileAsBeforeTheDeletion) {
    const fs::path notesFile = File("appdata") / "Zelt" / "DirNotes" / "Data_Testford.xml";
    WriteBytes(notesFile, NotesXml(kCityNotes));
    const std::string exported = File("backup.xml").string();
    int code = -1;
    const std::string out = RunHost("--appdata " + File("appdata").string() + " --city " + TestfordPath(),
                                    "configure\nlabel 3 Call back\npress 2\n"
                                    "configure\npress 122\nfile " +
                                        exported + "\nanswer ok\npress 123\nanswer yes\npress 121\nfile " +
                                        exported + "\nanswer ok\npress 2\nquit\n",
                                    &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find(Message("Exported 2 notes", "Export notes", "ok", "information")), std::string::npos)
        << out;
    EXPECT_NE(out.find(Message("Added 2 notes", "Import notes", "ok", "information")), std::string::npos)
        << out;
    EXPECT_EQ(ReadBytes(notesFile), ReadBytes(exported));
    const FileContents after = ReadNotesFile(notesFile);
    EXPECT_EQ(after.notes, kCityNotes);
    EXPECT_EQ(after.names[3], "Call back");
}
