// The settings end to end: the plug-in started by the reference host on Testford, its
// settings opened from the notes group's button or the host's options and driven through the
// shell as a person or a script would; what changed is read from the card, the search tab's
// combo, the map and the notes file written at quit.
#include "host/CityDatabase.h"
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
        const auto appearance = groups[0]->Buttons()[0].try_as<ZeltCore::IControlAppearance>();
        ASSERT_TRUE(appearance && appearance.try_as<ZeltCore::ICommandAction>());
        zsys::Bstr tag, caption, tooltip;
        EXPECT_EQ(appearance->Tag(tag.put()), S_OK);
        EXPECT_EQ(appearance->Caption(caption.put()), S_OK);
        EXPECT_EQ(appearance->Tooltip(tooltip.put()), S_OK);
        EXPECT_EQ(tag.str() + u"|" + caption.str() + u"|" + tooltip.str(),
                  u"VeskNotes.RibbonOptions|Configure|Open settings dialog");
        zsys::ComPtr<IUnknown> image;
        ASSERT_EQ(appearance->Image(image.put()), S_OK);
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
    EXPECT_EQ(Written().notes, kCityNotes);
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

TEST_F(Settings, ImportOfADifferingNote_AsksAndFollowsTheAnswer) {
    std::vector<std::string> fileNames = DefaultCategoryNames();
    fileNames[0] = "from the file";
    const FileNotes file{{kCafeStable, {"theirs", {3}}},
                         {kDentistStable, kCityNotes.at(kDentistStable)},
                         {kTaxisStable, {"new", {4}}}};
    const std::string question = "control 117 button \"Replace\"\n"
                                 "control 118 button \"Keep\"\n"
                                 "control 2 button \"Cancel\"\n"
                                 "control 125 icon \"#32516\"\n"
                                 "control -1 static \"Some companies in the directory have \"\n"
                                 "control -1 static \"already have notes.\"\n"
                                 "control -1 static \"Replace these notes with new ones or keep them?\"\n";
    FileNotes kept = kCityNotes;
    kept[kTaxisStable] = {"new", {4}};
    const struct {
        const char* what;
        std::string answer;
        std::string message; // empty: none
        FileNotes notes;
        std::string name0;
    } cases[] = {
        {"Replace takes the file's notes and names", "press 117",
         MessageText("Imported 3 notes", "Import notes"), file, "from the file"},
        {"Keep adds only what is missing", "press 118", Added(1), kept, "red"},
        {"Cancel changes nothing", "press 2", "", kCityNotes, "red"},
        {"the close box cancels", "close", "", kCityNotes, "red"},
    };
    WriteFile(File("import.xml"), NotesXml(file, "Testford", fileNames));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes);
        const std::string out =
            Run("open 11\nconfigure\npress 121\nfile " + File("import.xml").string() + "\n" + c.answer +
                "\n" + (c.message.empty() ? "" : "answer ok\n") + "items\npress 2\nopen 11\nmap\n");
        EXPECT_NE(out.find("dialog 116 \"Import notes\" at "), std::string::npos) << out;
        EXPECT_NE(out.find(question + c.message + "item 0 \"" + c.name0 + "\" image=0\n"), std::string::npos)
            << out;
        EXPECT_EQ(Occurrences(out, "message "), c.message.empty() ? 0u : 1u) << out;
        // The list shows the names the dialog applies as it closes; the views follow them.
        EXPECT_NE(out.find("item addCategory0 caption=\"" + c.name0 + "\""), std::string::npos) << out;
        EXPECT_NE(out.find("block NodesIcon0 \"" + c.name0 + "\":"), std::string::npos) << out;
        EXPECT_EQ(Written().notes, c.notes);
        EXPECT_EQ(Written().names[0], c.name0);
    }
}

// The shell's file dialog and message boxes on a real import: answers that do not fit are
// refused and asked again, a file that is not there is said so by the file dialog itself.
TEST_F(Settings, Import_TakesOnlyTheAnswersThatFit) {
    Start(kCityNotes);
    WriteFile(File("import.xml"), NotesXml({{kTaxisStable, {"new", {}}}}));
    const std::string out =
        Run("configure\npress 121\nnonsense\nfile /nonexistent/notes\nanswer yes\nanswer ok\n"
            "file " +
            File("import.xml").string() + "\nanswer yes\nanswer ok\npress 2\n");
    EXPECT_NE(
        out.find(kOpenFile + "error: a file dialog waits for \"file PATH\" or \"cancel\"\n" +
                 MessageText("/nonexistent/notes.xml\\nFile not found.\\nCheck the file name and try again.",
                             "Open", "ok", "warning") +
                 "error: the message box has no \"yes\" button\n" + kOpenFile + Added(1) +
                 "error: the message box has no \"yes\" button\n" + kCleanAccounting),
        std::string::npos)
        << out;
    EXPECT_EQ(Written().notes.size(), 3u);
}

TEST_F(Settings, Import_OfBadOrOddFiles_SaysWhatHappenedAndChangesNothingElse) {
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"<?xml version=\"1.0\"?><DirectoryNotes><MapName>Testford"
                                              u"</MapName><Note><id>11</id><comment><text>Grüße</text>"
                                              u"</comment></Note></DirectoryNotes>")) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const std::string large(50 << 20, 'n');
    const auto warning = [](const std::string& text) {
        return MessageText(text, "Notes import error", "ok", "warning");
    };
    const std::string corrupt = warning("Couldn't find notes in file. File is corrupted."),
                      otherCity =
                          warning("Failed to load notes.Selected file doesn't have notes on companies\\nin "
                                  "the cityTestford.");
    const FileNotes unknown{{kTaxisStable, {"", {40}}}, {kEdgeStable, {"", {25, -1}}}},
        someUnknown{{kTaxisStable, {"", {40}}}, {kEdgeStable, {"kept", {40, 3}}}};
    const struct {
        const char* what;
        std::string bytes;
        std::string message;
        FileNotes added;
    } cases[] = {
        {"an empty file cannot be read", "", warning("Couldn't read data from file."), {}},
        {"not XML", "these are no notes, just words\n", corrupt, {}},
        {"no MapName", "<DirectoryNotes><Note><id>11</id></Note></DirectoryNotes>", corrupt, {}},
        {"another city", NotesXml({{kTaxisStable, {"x", {}}}}, "Riverton"), otherCity, {}},
        {"no notes", NotesXml({}), Added(0), {}},
        {"only unknown categories", NotesXml(unknown), Added(0), {}},
        {"a note whose only category is 40 is dropped, the others counted",
         NotesXml(someUnknown),
         Added(1),
         {{kEdgeStable, {"kept", {3}}}}},
        {"UTF-16", utf16, Added(1), {{kTaxisStable, {"Grüße", {}}}}},
        {"50 MB", NotesXml({{kTaxisStable, {large, {}}}}), Added(1), {{kTaxisStable, {large, {}}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes);
        WriteFile(File("import.xml"), c.bytes);
        const std::string out = Run("configure\npress 121\nfile " + File("import.xml").string() +
                                    "\nanswer ok\nitems\npress 2\n");
        EXPECT_NE(out.find(kOpenFile + c.message + "item 0 \"red\""), std::string::npos)
            << out.substr(0, 2000);
        EXPECT_EQ(Occurrences(out, "message "), 1u);
        FileNotes expected = kCityNotes;
        expected.insert(c.added.begin(), c.added.end());
        EXPECT_EQ(Written().notes, expected);
        EXPECT_EQ(Written().names, DefaultCategoryNames());
    }
}

TEST_F(Settings, Export_ToWhereItCannotWriteSaysSoAndLeavesNoFile) {
    const fs::path existing = File("existing.xml");
    const std::string failed = "message \"Notes export failed.\\n", caption =
                                                                        "caption=\"Notes export error\" "
                                                                        "buttons=ok icon=warning\n";
    const struct {
        const char* what;
        fs::path target;
        std::string said, caption; // the start and the end of the message; empty: none
    } cases[] = {
        {"a folder that does not exist", File("missing") / "notes.xml", failed, caption},
        {"a folder that cannot be written", "/sys/vesk_notes_export.xml", failed, caption},
        {"an existing file is replaced without asking", existing,
         MessageText("Exported 2 notes", "Export notes"), ""},
        {"the input ends at the file dialog, which is cancelled", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes);
        WriteFile(existing, "an older file\n");
        const std::string out =
            Run("configure\npress 122\n" +
                (c.target.empty() ? "" : "file " + c.target.string() + "\nanswer ok\npress 2\n"));
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
        EXPECT_NE(out.find(c.caption), std::string::npos) << out;
        EXPECT_EQ(Occurrences(out, "message "), c.said.empty() ? 0u : 1u) << out;
        EXPECT_FALSE(fs::exists(File("missing")) || fs::exists("/sys/vesk_notes_export.xml"));
        if (c.target == existing) {
            EXPECT_EQ(ReadNotesFile(existing).notes, kCityNotes);
        } else {
            EXPECT_EQ(ReadFile(existing), "an older file\n");
        }
    }
}

TEST_F(Settings, DeleteNotes_AsksWithTheCityNameAndOnYesTakesTheNotesAndTheirMarks) {
    const std::string question =
        MessageText("Are you sure you want to delete notes for\\ncompanies in Testford?", "Deleting notes",
                    "yesno", "question");
    const std::string marked = "block NodesIcon2 \"green\": 400000001 400000002 400000003\n",
                      unmarked = "block NodesIcon2 \"green\":\n";
    // With the input at its end the question takes its default answer, the first button: Yes.
    const struct {
        std::string answer;
        bool deleted;
    } cases[] = {{"answer yes\npress 2\nmap\n", true}, {"answer no\npress 2\nmap\n", false}, {"", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        Start(kCityNotes);
        const std::string out = Run("open 11\nmap\nconfigure\npress 123\n" + c.answer);
        EXPECT_NE(out.find(question), std::string::npos) << out;
        EXPECT_EQ(Occurrences(out, "message "), 1u) << "nothing more is said";
        const bool mapAfter = !c.answer.empty();
        EXPECT_EQ(Occurrences(out, marked), mapAfter && !c.deleted ? 2u : 1u) << out;
        EXPECT_EQ(Occurrences(out, unmarked), mapAfter && c.deleted ? 1u : 0u) << out;
        EXPECT_EQ(Written().notes, c.deleted ? FileNotes{} : kCityNotes);
    }

    // The city's name is put in once, even when it holds the placeholder itself.
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
    const std::vector<std::string> violet = {"block NodesIcon5 \"violet\": 400000001 400000002 400000003"};
    const struct {
        const char* what;
        FileNotes before;
        std::string commands;
        FileNote cardAfter;
        std::vector<std::vector<std::string>> maps; // after the change, then after each close
    } cases[] = {
        {"an import replacing the note",
         kCityNotes,
         "open 12\nopen 11\n" + import + "press 117\n" + after,
         theirs,
         {{"block NodesIcon1 \"yellow\": 400000001", violet[0]},
          {"block NodesIcon1 \"yellow\": 400000001", "block NodesIcon5 \"violet\": 400000001"},
          {}}},
        {"an import keeping notes, its card brought forward",
         {},
         "open 11\nopen 12\nfront 11\n" + import + after,
         theirs,
         {violet, {}, {}}},
        {"the deletion of all notes, two cards of a company open",
         kCityNotes,
         "open 11\nopen 11\nconfigure\npress 123\nanswer yes\npress 2\ncard\nmap\nclose\nmap\nclose\nmap\n",
         {},
         {{}, {}, {}}},
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

TEST_F(Settings, HostFailuresInTheFlows_AreReportedAndChangeNothing) {
    const std::string exported = File("exported.xml").string();
    WriteFile(File("import.xml"), NotesXml({{kTaxisStable, {"new", {}}}}));
    const std::string import =
        "configure\npress 121\nfile " + File("import.xml").string() + "\nanswer ok\npress 2\n";
    const std::string unknownImport = MessageText("Unknown error", "Notes import error", "ok", "warning");
    const struct {
        const char* what;
        const char* operation;
        unsigned times; // failing calls; 0: for good
        std::string commands;
        std::string said; // the one message shown, or the error line at the end of the dialog
    } cases[] = {
        {"export without the city's name", "IHostBase.Name", 1,
         "configure\npress 122\nfile " + exported + "\nanswer ok\npress 2\n",
         MessageText("Unknown error", "Notes export error", "ok", "warning")},
        {"import without the city's name", "IHostBase.Name", 1, import, unknownImport},
        {"import without the companies", "IHostTable.ObjectByStableId", 0, import, unknownImport},
        {"deletion without the city's name", "IHostBase.Name", 1, "configure\npress 123\npress 2\n",
         "error: configure: E_FAIL\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(kCityNotes).Faults().Fail(c.operation, E_UNEXPECTED, 1, c.times);
        const std::string out = Run(c.commands);
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
        EXPECT_FALSE(fs::exists(exported));
        EXPECT_EQ(Written().notes, kCityNotes);
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
        WriteFile(file, NotesXml(notes, "Riverton"));
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
    EXPECT_NE(out.find(Added(2)), std::string::npos) << out;
    EXPECT_EQ(ReadFile(NotesFile()), ReadFile(exported));
    EXPECT_EQ(Written().notes, kCityNotes);
    EXPECT_EQ(Written().names[3], "Call back");
}
