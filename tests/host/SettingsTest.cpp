// The settings end to end: the plug-in started by the reference host on Testford, its
// settings opened from the notes group's button or the host's options and driven through the
// shell as a person or a script would; what changed is read from the card, the search tab's
// combo, the map and the notes file written at quit.
#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PluginHost.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>

using namespace hosttest;
using namespace testford;

namespace {
namespace fs = std::filesystem;

using Settings = PluginHostTest;

const std::string kOpenFile = "file-dialog open filter=\"XML Files|*.xml\" ext=xml\n";

const FileNotes kCityNotes{{kCafeStable, {"call Ann", {2}}}, {kDentistStable, {"", {5, 1}}}};

std::string Added(int count) {
    return MessageText("Added " + std::to_string(count) + (count == 1 ? " note" : " notes"), "Import notes");
}

} // namespace

TEST_F(Settings, ButtonAndOptions_OpenTheSameDialogWithTheNamesAndSwatches) {
    Start(kCityNotes);
    {
        const auto& groups = Zelt().View().MainFrame().SearchTab().Groups();
        ASSERT_EQ(groups.size(), 1u);
        ASSERT_EQ(groups[0]->Buttons().size(), 1u);
        const auto button = groups[0]->Buttons()[0];
        const host::CommandView view = host::ReadCommand(button);
        EXPECT_EQ(view.tag + u"|" + view.caption + u"|" + view.tooltip,
                  u"VeskNotes.RibbonOptions|Configure|Open settings dialog");
        const auto image = host::CommandImage(button);
        const auto* picture = dynamic_cast<const host::HostImage*>(image.get());
        ASSERT_TRUE(picture);
        EXPECT_EQ(std::pair(picture->Width(), picture->Height()), std::pair(90, 60));
    } // the test lets go of the button before the plug-in stops

    // The names in the list, each with its swatch.
    std::string items;
    for (int i = 0; i < 18; ++i)
        items += "item " + std::to_string(i) + " \"" + DefaultCategoryNames()[i] +
                 "\" image=" + std::to_string(i) + "\n";
    const std::string out = Run("configure\nitems\nclose\noptions\nescape\nconfigure\nenter\n");
    EXPECT_EQ(Occurrences(out, "dialog 115 \"Notes module settings\" at "), 3u) << out;
    EXPECT_NE(out.find("control 123 button \"Delete notes\"\n" + items), std::string::npos) << out;
    EXPECT_EQ(Occurrences(out, "error"), 0u) << out;
}

TEST_F(Settings, OptionsAndButton_WithoutARunningPluginShowNothing) {
    WriteNotes(kCityNotes);
    Load();
    EXPECT_EQ(Run("options\n"), "error: options: E_FAIL\n" + kCleanAccounting);

    Load().Faults().Fail("IHostSearchGroupButtons.AddButton", E_UNEXPECTED);
    EXPECT_EQ(Zelt().Start(), E_FAIL) << "a group that refuses the button fails the start";
    EXPECT_EQ(Run("options\nconfigure\n"),
              "error: options: E_FAIL\nerror: configure: the search tab has no notes "
              "group with a button\n" +
                  kCleanAccounting);

    // Stopped, the plug-in leaves its button with the host until the host drops the group;
    // pressed then, it opens nothing.
    ASSERT_EQ(Start().Library()->Plugin().as<ZeltCore::IZeltPlugin>()->Terminate(), S_OK);
    EXPECT_EQ(Run("configure\noptions\n"), "error: options: E_FAIL\n" + kCleanAccounting);
}

TEST_F(Settings, Rename_ReachesTheCardsSubmenuTheSearchCombosTheMapAndTheNotesFile) {
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
        {"an item the list lacks", "label 18 x", "red", "red"},
        {"markup and line feeds stay as typed", "label 0 A & \"B\" <C>\\nD", "A & \"B\" <C>\nD",
         "A & \\\"B\\\" <C>\\nD"},
        // The page's two steps: a click that starts the edit, then its end.
        {"clicked, then ended", "click-item 0\nend-edit Urgent", "Urgent", "Urgent"},
        {"clicked, then cancelled", "click-item 0\ncancel-edit", "red", "red"},
        {"an edit ended before one began", "end-edit Urgent", "red", "red"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes).Faults().Watch("IHostLayerBlockList.Add");
        const std::string out =
            Run("open 11\ncombo\nconfigure\n" + c.edit + "\nitems\npress 2\nopen 11\ncombo\nmap\n");
        EXPECT_EQ(Occurrences(out, "error:"), c.edit == "label 18 x" || c.edit == "end-edit Urgent" ? 1u : 0u)
            << out;
        EXPECT_NE(out.find("item 0 \"" + c.shown + "\" image=0\n"), std::string::npos) << out;
        const bool renamed = c.name != "red";
        EXPECT_EQ(Zelt().Faults().Calls("IHostLayerBlockList.Add"), renamed ? 18u : 0u)
            << "the map is refreshed only when a name changed";
        EXPECT_EQ(Occurrences(out, "item addCategory0 caption=\"" + c.shown + "\" enabled=1 checked=0\n"),
                  renamed ? 1u : 2u)
            << out;
        EXPECT_EQ(Occurrences(out, "item 0 image=0 text=\"" + c.shown + "\"\n"), renamed ? 1u : 2u) << out;
        EXPECT_NE(out.find("block NodesIcon0 \"" + c.shown + "\":\n"), std::string::npos) << out;
        std::vector<std::string> names = DefaultCategoryNames();
        names[0] = c.name;
        EXPECT_EQ(Written().names, names);
        EXPECT_EQ(Written().notes, kCityNotes);
    }
}

// Import, export and deletion from the settings, the host's failures on the way included: what
// the output holds, in order, how many message boxes it showed, and the notes and names written
// at the end. An import reads "import.xml", an export may replace "existing.xml".
TEST_F(Settings, ImportExportAndDeletion_SayWhatHappenedAndChangeOnlyWhatTheyShould) {
    const fs::path existing = File("existing.xml");
    const std::string import = "configure\npress 121\nfile " + File("import.xml").string() + "\n";
    // An import of notes that differ from the city's asks which to keep; the settings' list and
    // then the card and the map show the names it leaves.
    std::vector<std::string> fileNames = DefaultCategoryNames();
    fileNames[0] = "from the file";
    const FileNotes theirs{{kCafeStable, {"theirs", {3}}},
                           {kDentistStable, kCityNotes.at(kDentistStable)},
                           {kTaxisStable, {"new", {4}}}};
    FileNotes kept = kCityNotes;
    kept[kTaxisStable] = {"new", {4}};
    const std::string differing = NotesXml(theirs, "Testford", fileNames), ask = "open 11\n" + import,
                      then = "items\npress 2\nopen 11\nmap\n";
    const auto asked = [](const std::string& message, const std::string& name) {
        return std::vector<std::string>{
            "dialog 116 \"Import notes\" at ",
            "control 117 button \"Replace\"\ncontrol 118 button \"Keep\"\ncontrol 2 button \"Cancel\"\n"
            "control 125 icon \"#32516\"\ncontrol -1 static \"Some companies in the directory have \"\n"
            "control -1 static \"already have notes.\"\n"
            "control -1 static \"Replace these notes with new ones or keep them?\"\n" +
                message + "item 0 \"" + name + "\" image=0\n",
            "item addCategory0 caption=\"" + name + "\"", "block NodesIcon0 \"" + name + "\":"};
    };
    // Files that are no notes of this city, or odd ones: what is said, and the list as it was.
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"<?xml version=\"1.0\"?><DirectoryNotes><MapName>Testford"
                                              u"</MapName><Note><id>11</id><comment><text>Grüße</text>"
                                              u"</comment></Note></DirectoryNotes>"))
        utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    const std::string large(50 << 20, 'n'), readBack = import + "answer ok\nitems\npress 2\n";
    const auto warning = [](const std::string& text, const std::string& caption = "Notes import error") {
        return MessageText(text, caption, "ok", "warning");
    };
    const auto read = [](const std::string& said) {
        return std::vector<std::string>{kOpenFile + said + "item 0 \"red\""};
    };
    const std::string corrupt = warning("Couldn't find notes in file. File is corrupted."),
                      otherCity = warning("Failed to load notes.Selected file doesn't have notes on "
                                          "companies\\nin the cityTestford.");
    const auto plus = [](FileNotes notes, const FileNotes& added) {
        notes.insert(added.begin(), added.end());
        return notes;
    };
    const FileNotes unknown{{kTaxisStable, {"", {40}}}, {kEdgeStable, {"", {25, -1}}}},
        someUnknown{{kTaxisStable, {"", {40}}}, {kEdgeStable, {"kept", {40, 3}}}},
        newTaxis{{kTaxisStable, {"new", {}}}}, utf16Taxis{{kTaxisStable, {"Grüße", {}}}},
        largeTaxis{{kTaxisStable, {large, {}}}};
    // Answers that do not fit are refused and asked again; a file that is not there is said so
    // by the file dialog itself.
    const std::string misfits = "configure\npress 121\nnonsense\nfile /nonexistent/notes\nanswer yes\n"
                                "answer ok\nfile " +
                                File("import.xml").string() + "\nanswer yes\nanswer ok\npress 2\n",
                      refusedYes = "error: the message box has no \"yes\" button\n",
                      notFound = MessageText("/nonexistent/notes.xml\\nFile not found.\\nCheck the file name "
                                             "and try again.",
                                             "Open", "ok", "warning");
    // An export says why it failed, or how many notes it wrote.
    const std::string failed = "message \"Notes export failed.\\n",
                      caption = "caption=\"Notes export error\" buttons=ok icon=warning\n",
                      exported = MessageText("Exported 2 notes", "Export notes"), ok = "answer ok\npress 2\n";
    const auto exportTo = [&](const std::string& path) {
        return "configure\npress 122\nfile " + path + "\n" + ok;
    };
    // Deletion asks with the city's name; with the input at its end the question takes its
    // default answer, the first button: Yes. Answered no, it leaves the map's marks.
    const std::string deletion = "open 11\nmap\nconfigure\npress 123\n",
                      sure = MessageText("Are you sure you want to delete notes for\\ncompanies in Testford?",
                                         "Deleting notes", "yesno", "question"),
                      marked = "block NodesIcon2 \"green\": 400000001 400000002 400000003\n";
    const struct {
        const char* what;
        std::optional<std::string> importFile;
        std::string script;
        std::vector<std::string> said; // in this order
        std::size_t messages;
        FileNotes notes;
        const char* failing = nullptr; // an operation of the host that fails from its first call
        unsigned times = 0;            // how often; 0: for good
        std::string name0 = "red";
        bool exported = false; // "existing.xml" replaced by the city's notes
    } cases[] = {
        // clang-format off
        {"Replace takes the file's notes and names", differing, ask + "press 117\nanswer ok\n" + then,
         asked(MessageText("Imported 3 notes", "Import notes"), "from the file"), 1, theirs, nullptr, 0,
         "from the file"},
        {"Keep adds only what is missing", differing, ask + "press 118\nanswer ok\n" + then,
         asked(Added(1), "red"), 1, kept},
        {"Cancel changes nothing", differing, ask + "press 2\n" + then, asked("", "red"), 0, kCityNotes},
        {"the close box cancels", differing, ask + "close\n" + then, asked("", "red"), 0, kCityNotes},
        {"answers that do not fit", NotesXml(newTaxis), misfits,
         {kOpenFile + "error: a file dialog waits for \"file PATH\" or \"cancel\"\n" + notFound + refusedYes +
          kOpenFile + Added(1) + refusedYes + kCleanAccounting}, 2, plus(kCityNotes, newTaxis)},
        {"an empty file", "", readBack, read(warning("Couldn't read data from file.")), 1, kCityNotes},
        {"not XML", "these are no notes, just words\n", readBack, read(corrupt), 1, kCityNotes},
        {"no MapName", "<DirectoryNotes><Note><id>11</id></Note></DirectoryNotes>", readBack, read(corrupt),
         1, kCityNotes},
        {"another city", NotesXml(newTaxis, "Riverton"), readBack, read(otherCity), 1, kCityNotes},
        {"no notes", NotesXml({}), readBack, read(Added(0)), 1, kCityNotes},
        {"only unknown categories", NotesXml(unknown), readBack, read(Added(0)), 1, kCityNotes},
        {"a note whose only category is 40 is dropped, the others counted", NotesXml(someUnknown), readBack,
         read(Added(1)), 1, plus(kCityNotes, {{kEdgeStable, {"kept", {3}}}})},
        {"UTF-16", utf16, readBack, read(Added(1)), 1, plus(kCityNotes, utf16Taxis)},
        {"50 MB", NotesXml(largeTaxis), readBack, read(Added(1)), 1, plus(kCityNotes, largeTaxis)},
        {"import without the city's name", NotesXml(newTaxis), import + ok, {warning("Unknown error")}, 1,
         kCityNotes, "IHostBase.Name", 1},
        {"import without the companies", NotesXml(newTaxis), import + ok, {warning("Unknown error")}, 1,
         kCityNotes, "IHostTable.ObjectByStableId"},
        // The notes are merged whatever the host does with the card that shows them.
        {"import with a card the host cannot build again", NotesXml(newTaxis), "open 11\n" + import + ok,
         {Added(1)}, 1, plus(kCityNotes, newTaxis), "IHostCardContext.Refresh"},
        {"export to a folder that does not exist", {}, exportTo((File("missing") / "notes.xml").string()),
         {failed, caption}, 1, kCityNotes},
        {"export over a file replaces it without asking", {}, exportTo(existing.string()), {exported}, 1,
         kCityNotes, nullptr, 0, "red", true},
        {"export cancelled at the end of the input", {}, "configure\npress 122\n", {}, 0, kCityNotes},
        {"export without the city's name", {}, exportTo(existing.string()),
         {warning("Unknown error", "Notes export error")}, 1, kCityNotes, "IHostBase.Name", 1},
        {"deletion answered yes", {}, deletion + "answer yes\npress 2\n", {sure}, 1, {}},
        {"deletion answered no", {}, deletion + "answer no\npress 2\nmap\n", {marked, sure, marked}, 1,
         kCityNotes},
        {"deletion at the end of the input", {}, deletion, {sure}, 1, {}},
        {"deletion without the city's name", {}, "configure\npress 123\npress 2\n",
         {"error: configure: E_FAIL\n"}, 0, kCityNotes, "IHostBase.Name", 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes);
        if (c.failing) Zelt().Faults().Fail(c.failing, E_UNEXPECTED, 1, c.times);
        if (c.importFile) WriteFile(File("import.xml"), *c.importFile);
        WriteFile(existing, "an older file\n");
        const std::string out = Run(c.script);
        EXPECT_EQ(MissingInOrder(out, c.said), "") << out.substr(0, 4000);
        EXPECT_EQ(Occurrences(out, "\nmessage \""), c.messages) << out.substr(0, 4000);
        EXPECT_EQ(Written().notes, c.notes);
        std::vector<std::string> names = DefaultCategoryNames();
        names[0] = c.name0;
        EXPECT_EQ(Written().names, names);
        EXPECT_FALSE(fs::exists(File("missing")));
        if (c.exported) {
            EXPECT_EQ(ReadNotesFile(existing).notes, kCityNotes);
        } else {
            EXPECT_EQ(ReadFile(existing), "an older file\n");
        }
    }
}

// The city's name is put in the question once, even when it holds the placeholder itself.
TEST_F(Settings, DeleteNotes_AsksWithTheCityNameAsItIs) {
    const std::string odd = TempPath("Data_Odd.dat");
    {
        citygen::CityWriter w(odd, "{base_city_name}");
        w.AddCompany(1, 1, "Only Company", "cafe");
        w.Commit();
    }
    WriteNotes({});
    Start(1033, odd);
    EXPECT_NE(
        Run("configure\npress 123\nanswer no\npress 2\n")
            .find("message \"Are you sure you want to delete notes for\\ncompanies in {base_city_name}?\""),
        std::string::npos);
}

// Cards open while many notes change at once show the notes as they are now, and the map
// marks what their notes carry now: each card counts out what it counted in and counts in its
// note anew, so that nothing is left marked once they close. The card in front stays current.
TEST_F(Settings, OpenCards_FollowAnImportOrADeletionOnTheCardAndTheMap) {
    const FileNote theirs{"theirs", {5}};
    WriteFile(File("import.xml"), NotesXml({{kCafeStable, theirs}}));
    const std::string import = "configure\npress 121\nfile " + File("import.xml").string() + "\n",
                      after = "answer ok\npress 2\ncard\nmap\nclose\nmap\nclose\nmap\n";
    const std::string violet = "block NodesIcon5 \"violet\": 400000001 400000002 400000003",
                      yellow = "block NodesIcon1 \"yellow\": 400000001";
    const struct {
        const char* what;
        FileNotes before;
        std::string commands;
        FileNote cardAfter;
        std::vector<std::vector<std::string>> maps; // after the change, then after each close
    } cases[] = {
        // clang-format off
        {"an import replacing the note", kCityNotes, "open 12\nopen 11\n" + import + "press 117\n" + after,
         theirs, {{yellow, violet}, {yellow, "block NodesIcon5 \"violet\": 400000001"}, {}}},
        {"an import keeping notes, its card brought forward", {},
         "open 11\nopen 12\nfront 11\n" + import + after, theirs, {{violet}, {}, {}}},
        {"the deletion of all notes, two cards of a company open", kCityNotes,
         "open 11\nopen 11\nconfigure\npress 123\nanswer yes\npress 2\ncard\nmap\nclose\nmap\nclose\nmap\n",
         {}, {{}, {}, {}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.before);
        const std::string out = Run(c.commands);
        EXPECT_NE(out.find(CardText(kCafe, "Café Lumière", c.cardAfter) + "block "), std::string::npos)
            << out;
        EXPECT_EQ(MarkedBlocks(out), c.maps) << out;
    }
}

// The messages that count notes, in each interface language: the imports add 1, 2, 5 and 21
// notes to a city without notes, then the 29 notes are exported. (None added is said as for 5.)
TEST_F(Settings, CountedMessages_TakeThePluralOfEachLanguage) {
    host::CityDatabase riverton(host::ZeltHost::DemoCityPath());
    std::vector<std::int32_t> stable;
    for (std::int32_t id : riverton.FirstIds(host::CityDatabase::Type::Company, 29))
        stable.push_back(riverton.Find(host::CityDatabase::Type::Company, id)->stableId);
    ASSERT_EQ(stable.size(), 29u);
    std::string script = "configure\n";
    std::size_t next = 0;
    for (const int count : {1, 2, 5, 21}) {
        FileNotes notes;
        for (int i = 0; i < count; ++i)
            notes[stable[next++]] = {"note", {}};
        const fs::path file = File("import" + std::to_string(count) + ".xml");
        WriteFile(file, NotesXml(notes, "Riverton"));
        script += "press 121\nfile " + file.string() + "\nanswer ok\n";
    }
    script += "press 122\nfile " + File("all.xml").string() + "\nanswer ok\npress 2\n";

    const struct {
        LANGID language;
        std::vector<std::string> said; // Added 1, 2, 5, 21, then Exported 29
    } cases[] = {
        {1033, {"Added 1 note", "Added 2 notes", "Added 5 notes", "Added 21 notes", "Exported 29 notes"}},
        {1049,
         {"Добавлено: 1 заметка", "Добавлено: 2 заметки", "Добавлено: 5 заметок", "Добавлено: 21 заметка",
          "Экспортировано: 29 заметок"}},
        {1058,
         {"Додано: 1 заметка", "Додано: 2 заметки", "Додано: 5 заметок", "Додано: 21 заметка",
          "Експортовано: 29 заметок"}},
        {1029,
         {"Přidáno: 1 poznámka", "Přidáno: 2 poznámky", "Přidáno: 5 poznámek", "Přidáno: 21 poznámek",
          "Exportováno: 29 poznámek"}},
        {1040,
         {"Aggiunte: 1 nota", "Aggiunte: 2 note", "Aggiunte: 5 note", "Aggiunte: 21 note",
          "Esportate: 29 note"}},
        {3082,
         {"Añadidas: 1 nota", "Añadidas: 2 notas", "Añadidas: 5 notas", "Añadidas: 21 notas",
          "Exportadas: 29 notas"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        fs::remove_all(AppData());
        const std::string out = RunHost(
            "--city " + host::ZeltHost::DemoCityPath() + " --lang " + std::to_string(c.language), script);
        std::vector<std::string> said;
        for (std::size_t at = out.find("message \""); at != std::string::npos;
             at = out.find("message \"", at + 1))
            said.push_back(out.substr(at + 9, out.find('"', at + 9) - at - 9));
        EXPECT_EQ(said, c.said) << out;
    }
}

// A person's session: rename a category, export, import the export at once (equal notes:
// nothing added, nothing asked), delete all notes, import the export back and quit. The notes
// file is the one the export wrote before the deletion, new name included.
TEST_F(Settings, RenameExportImportDeleteImportQuit_LeavesTheNotesFileAsBeforeTheDeletion) {
    WriteNotes(kCityNotes);
    const std::string exported = File("backup.xml").string(),
                      import = "press 121\nfile " + exported + "\nanswer ok\n";
    int code = -1;
    const std::string out =
        RunHost("",
                "configure\nlabel 3 Call back\npress 2\nconfigure\npress 122\nfile " + exported +
                    "\nanswer ok\n" + import + "press 123\nanswer yes\n" + import + "press 2\nquit\n",
                &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("file-dialog save filter=\"XML Files|*.xml\" ext=xml\n" +
                       MessageText("Exported 2 notes", "Export notes") + kOpenFile + Added(0)),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("dialog 116"), std::string::npos) << "equal notes ask nothing";
    EXPECT_EQ(ReadFile(NotesFile()), ReadFile(exported));
    EXPECT_EQ(Written().notes, kCityNotes);
    EXPECT_EQ(Written().names[3], "Call back");
}
