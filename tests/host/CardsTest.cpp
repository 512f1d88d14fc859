// Company cards end to end: the plug-in started by the reference host on Testford, cards
// opened from the organisation page and driven through the shell as a person or a script
// would, the notes read from and written to the city's notes file, and the host's failures
// on the way from the card to the map.
#include "card/IChangingSupporter.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostStandardControl.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/PluginHost.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>

using namespace ZeltCore;
using namespace hosttest;
using namespace testsupport::testford;

namespace {
using Cards = testsupport::PluginHostTest;
const std::string kCafeName = "Café Lumière";
} // namespace

// The card as it opens shows the note before the command, the card rebuilt the note after.
TEST_F(Cards, Commands_ChangeTheNoteRebuildTheCardAndReachTheFile) {
    const struct {
        const char* what;
        FileNote before;
        std::string tag;
        FileNote after; // empty: the Café has no note
    } cases[] = {
        {"a category toggled on a company without a note makes a note of it", {}, "addCategory4", {"", {4}}},
        {"the same category toggled off leaves nothing", {"", {4}}, "addCategory4", {}},
        {"categories keep their order", {"", {9}}, "addCategory3", {"", {9, 3}}},
        {"a category joins a note of text", {"call\nAnn", {}}, "addCategory0", {"call\nAnn", {0}}},
        {"deleting the text keeps the categories", {"x", {3, 17}}, "deleteNode", {"", {3, 17}}},
        {"deleting the only text removes the note", {"x", {}}, "deleteNode", {}},
        {"deleting the categories keeps the text", {"x", {3, 5}}, "deleteCategory", {"x", {}}},
        {"deleting the only categories removes the note", {"", {3, 5}}, "deleteCategory", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FileNotes notes{{kDentistStable, {"another company's note", {1}}}};
        if (c.before != FileNote{}) notes[kCafeStable] = c.before;
        Start(notes);
        EXPECT_EQ(Run("open 11\nclick " + c.tag + "\n"), CardText(kCafe, kCafeName, c.before) +
                                                             CardText(kCafe, kCafeName, c.after) +
                                                             kCleanAccounting);
        notes.erase(kCafeStable);
        if (c.after != FileNote{}) notes[kCafeStable] = c.after;
        EXPECT_EQ(Written().notes, notes);
    }
}

// Cards stay open until closed, the latest or the one brought to the front being current and
// the one behind a closed card becoming so; a toggle notes the company of its own card by its
// stable id (the Taxis' is the Café's id, Edge Case's the least there is); a mistake gives one
// error line and changes nothing.
TEST_F(Cards, OpenCards_StayOpenUntilClosedAndEachNotesItsOwnCompany) {
    Start({{kCafeStable, {"kept", {2}}}});
    std::istringstream lines(
        Run("open 11\nopen 12\ncard\nclose\ncard\nclose\nclose\ncard\nclick addNode\n"
            "open 99\nopen 400000001\nopen x\nopen\ncell 99 0\ncell 11\ncell 11 x\n"
            "open 14\nclick addCategory0\nopen 13\nclick addCategory1\nclick addCategory18\n"
            "open 12\nfront 13\nclick addCategory2\nfront 9\nopen 15\nclose\nclick addCategory3\n"));
    std::string heads;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("card") || line.starts_with("closed") || line.starts_with("error"))
            heads += line.starts_with("error") ? "error\n" : line + "\n";
    const std::string cafe = "card 11 \"Café Lumière\"\n", dentist = "card 12 \"Mill Street Dental\"\n",
                      edge = "card 14 \"Edge Case Ltd\"\n", taxis = "card 13 \"Testford Taxis\"\n";
    std::string errors; // closing, showing and clicking with no card open, then seven mistakes
    for (int i = 0; i < 10; ++i)
        errors += "error\n";
    EXPECT_EQ(heads, cafe + dentist + dentist + "closed card 12\n" + cafe + "closed card 11\n" + errors +
                         edge + edge + taxis + taxis + "error\n" + dentist + taxis + taxis + "error\n" +
                         "card 15 \"Ghost Lane Storage\"\nclosed card 15\n" + taxis);
    EXPECT_EQ(
        Written().notes,
        (FileNotes{{kCafeStable, {"kept", {2}}}, {kEdgeStable, {"", {0}}}, {kTaxisStable, {"", {1, 2, 3}}}}));
}

// What the cell controller gives for any directory object, as the page's entries and cards
// ask it: the note in every kind, the marks in kinds 1, 2 and 5 only, nothing for an object
// that is no company. (How each kind is written is the note display's own matter.)
TEST_F(Cards, Cell_GivesTheNoteAndMarksByDisplayKindAndNothingForOtherObjects) {
    Start({{kCafeStable, {"a", {2, 7}}}, {kDentistStable, {"plain", {}}}});
    const std::string
        card = "<p style=\\\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; "
               "\\\"><strong>a</strong></p>",
        marks = "S_OK \"" + MarkText(2) + MarkText(7) + " \"";
    const struct {
        std::string object, kind, note, marks;
    } cases[] = {
        {"11", "0", "S_OK \"" + card + "\"", "E_FAIL \"\""},
        {"11", "1", "S_OK \"" + card + "\"", marks},
        {"11", "2", "S_OK \"" + card + "\"", marks},
        {"11", "3", "S_OK \"" + card + "\"", "E_FAIL \"\""},
        {"11", "4", "S_OK \"\\r\\na\"", "E_FAIL \"\""},
        {"11", "5", "S_OK \"<strong>a</strong>\"", marks},
        {"12", "5", "S_OK \"<strong>plain</strong>\"", "S_OK \"\""},
        {"13", "5", "S_OK \"\"", "S_OK \"\""},
        {"400000001", "5", "null \"\"", "null \"\""}, // a building, as any object that is no company
        {"400000001", "0", "null \"\"", "E_FAIL \"\""},
    };
    std::string script, expected;
    for (const auto& c : cases) {
        script += "cell " + c.object + " " + c.kind + "\n";
        expected += "note[" + c.kind + "]: " + c.note + "\nmarks[" + c.kind + "]: " + c.marks + "\n";
    }
    EXPECT_EQ(Run(script), expected + kCleanAccounting);
}

// Every host operation of the card's flows made to fail or yield nothing, on the Café with a
// note of text and category 3: each step ends as the plug-in's rules say, the note changes
// only where the rules let it, and nothing of the plug-in is left after quit.
TEST_F(Cards, HostFailures_EndTheStepWithoutHarmAndLeaveNothingAfterQuit) {
    const FileNote before{"x", {3}}, toggled{"x", {3, 4}};
    const auto failed = [](std::string tag) { return "error: click: the command \"" + tag + "\" failed"; };
    const auto lacking = [](std::string tag) { return "error: click: the card has no command \"" + tag; };
    const std::string mapped = " 400000001 400000002 400000003\n",
                      lightBlue = "block NodesIcon3 \"light blue\":", blue = "block NodesIcon4 \"blue\":",
                      marks = "marks: \"" + MarkText(3) + " \"\n",
                      toggle = "open 11\nclick addCategory4\nmap\n", toggleFailed = failed("addCategory4"),
                      deleteNote = "open 11\nclick deleteNode\n",
                      addNote = "open 11\nclick addNode\nset 119 new\n",
                      mapFirst = "open 11\nmap\nclick addCategory4\n",
                      noDialog = failed("addNode") + ": E_FAIL\nerror: unknown command \"set\"";
    constexpr bool fails = false, yields = true;
    const struct {
        const char* operation;
        bool yieldNothing;
        unsigned fromCall, times; // times 0: for good
        std::string script;
        std::vector<std::string> expected; // what the output must hold, in order
        FileNote cafeAfter;
    } cases[] = {
        // The card opens with the note, but the plug-in could not read its company.
        {"IHostCardContext.Object", fails, 1, 0, toggle, {marks + lacking("addCategory4")}, before},
        {"IHostCardContext.Object", yields, 1, 0, "open 11\nclick addNode\n", {lacking("addNode")}, before},
        // The company's object, asked again while the command runs, fails: nothing changes.
        {"IHostCardContext.Object", fails, 3, 0, toggle, {toggleFailed}, before},
        {"IHostCardCommands.AddSubmenu", fails, 1, 0, toggle, {":3\"\n" + lacking("addCategory4")}, before},
        {"IHostCardCommands.AddControl", fails, 2, 0, deleteNote, {":1\"\n" + lacking("deleteNode")}, before},
        // The note is stored, and the map follows it, before the card is asked to rebuild.
        {"IHostCardContext.Refresh", fails, 1, 0, toggle, {toggleFailed, mapped, blue + mapped}, toggled},
        {"IHostCardContext.Refresh", yields, 1, 0, toggle, {blue + mapped}, toggled},
        // Opening the card reads the ids of the company and its three buildings for the map
        // marks, then the company's for the commands, the note and the marks.
        {"IHostDirObject.Id", fails, 8, 0, toggle, {toggleFailed}, before},
        // Without the company's attributes the card opens without its buildings on the map,
        // and a command cannot read the stable id.
        {"IHostDirObject.Attribute", fails, 1, 0, mapFirst, {marks, lightBlue + "\n", toggleFailed}, before},
        // The page keeps a controller it failed to let go, the map the blocks it failed to
        // take off; the host drops them when it stops.
        {"IHostDirPage.DetachController", fails, 1, 0, toggle, {blue + mapped}, toggled},
        {"IHostLayerBlockList.Remove", fails, 1, 0, "open 11\nclose\n", {"closed card 11\n"}, before},
        // A host main window that cannot be read ends the edit command before its dialog (once:
        // the plug-in reads the window again when it stops).
        {"IHostView.Frame", fails, 1, 1, addNote, {noDialog}, before},
        {"IHostView.Frame", yields, 1, 1, addNote, {noDialog}, before},
        {"IHostFrame.Window", fails, 1, 1, addNote, {noDialog}, before},
        {"IHostFrame.Window", yields, 1, 1, addNote, {noDialog}, before},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) +
                     (c.yieldNothing ? " yields nothing from call " : " fails from call ") +
                     std::to_string(c.fromCall));
        Start({{kCafeStable, before}});
        if (c.yieldNothing)
            Zelt().Faults().YieldNothing(c.operation, c.fromCall, c.times);
        else
            Zelt().Faults().Fail(c.operation, E_UNEXPECTED, c.fromCall, c.times);
        const std::string out = Run(c.script);
        EXPECT_EQ(MissingInOrder(out, c.expected), "") << out;
        EXPECT_GE(Zelt().Faults().Calls(c.operation), c.fromCall) << "the step met the failure";
        EXPECT_EQ(Written().notes, (FileNotes{{kCafeStable, c.cafeAfter}}));
    }
}

TEST_F(Cards, AMegabyteTypedOnACompanyOfTenThousandBranches_IsStoredWholeAndMarksThemAll) {
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
    std::string typed, stored;
    while (stored.size() < (1 << 20)) {
        const std::string line = "line " + std::to_string(stored.size()) + " of a long note";
        typed += line + "\\r\\n";
        stored += line + "\n";
    }
    stored.pop_back(); // the last line break is trimmed
    WriteNotes({}, {}, "Chainford", "Chainford");
    Start(1033, city);
    const std::string out =
        Run("open 1\nclick addNode\nset 119 " + typed + "\npress 1\nclick addCategory2\nmap\n");
    EXPECT_NE(out.find("block NodesIcon2 \"green\": 400000001 400000002 "), std::string::npos);
    EXPECT_NE(out.find(" 400010000\n"), std::string::npos);
    EXPECT_EQ(Written("Chainford").notes, (FileNotes{{10, {stored, {2}}}}));
}

// The note commands as the host sees them: the interfaces they answer, their state and the
// host control they wrap; and the card's life as the host leads it.
TEST_F(Cards, Commands_AnswerTheHostsInterfacesWithTheirStateAndGoWhenTheCardCloses) {
    Start({{kCafeStable, {"", {5}}}});
    host::HostCard& card = Zelt().Cards().Open(kCafe);
    const auto& entries = card.Commands()->Entries();
    ASSERT_EQ(entries.size(), 4u);
    const zsys::ComPtr<IUnknown> edit = entries[0].command;
    const zsys::ComPtr<IUnknown> violet = entries[3].submenu->Entries()[5].command;

    for (const IID& iid : {IContainerControl::iid, IControlPlacement::iid, IControlAppearance::iid,
                           ICommandAction::iid, IChangingSupporter::iid}) {
        zsys::ComPtr<IUnknown> side;
        EXPECT_EQ(edit->QueryInterface(iid, side.put_void()), S_OK) << zsys::FormatGuid(iid);
    }
    zsys::ComPtr<IUnknown> asState, asCommandState;
    ASSERT_EQ(edit->QueryInterface(IControlState::iid, asState.put_void()), S_OK);
    ASSERT_EQ(edit->QueryInterface(ICommandState::iid, asCommandState.put_void()), S_OK);
    EXPECT_EQ(asState.get(), asCommandState.get()) << "one pointer answers both";

    const auto flag = [](const zsys::ComPtr<IUnknown>& command,
                         HRESULT (ICommandState::*get)(VARIANT_BOOL*)) {
        VARIANT_BOOL value = 7;
        EXPECT_EQ((command.as<ICommandState>().get()->*get)(&value), S_OK);
        return value;
    };
    EXPECT_EQ(flag(edit, &ICommandState::Visible), VARIANT_TRUE);
    EXPECT_EQ(flag(edit, &ICommandState::Enabled), 1) << "enabled is written as 1";
    EXPECT_EQ(flag(violet, &ICommandState::Checked), VARIANT_TRUE);
    EXPECT_EQ(edit.as<ICommandState>()->Enabled(nullptr), E_POINTER);

    zsys::ComPtr<IUnknown> image;
    EXPECT_EQ(violet.as<IControlAppearance>()->Image(image.put()), S_OK);
    EXPECT_TRUE(image.try_as<IHostImage>()) << "a category item shows its category's image";
    EXPECT_EQ(edit.as<IControlAppearance>()->Image(image.put()), S_OK);
    EXPECT_FALSE(image);
    EXPECT_EQ(violet.as<IControlAppearance>()->Caption(nullptr), E_POINTER);

    zsys::ComPtr<IUnknown> inner;
    EXPECT_EQ(edit.as<IContainerControl>()->Control(inner.put()), S_OK);
    const auto* control =
        dynamic_cast<host::HostStandardControl*>(inner.try_as<IHostStandardControl>().get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Kind(), 0);
    EXPECT_EQ(control->Style(), 4);
    EXPECT_EQ(edit.as<IContainerControl>()->Control(nullptr), E_POINTER);

    // Refreshed, the card is built anew with new commands; closed, it tells the plug-in, which
    // lets go of its commands without asking the host for its company.
    EXPECT_EQ(card.Builds(), 1);
    EXPECT_EQ(card.BuildResult(), S_OK);
    const zsys::ComPtr<host::HostCard> held(&card);
    EXPECT_EQ(card.Refresh(), S_OK);
    EXPECT_EQ(card.Builds(), 2);
    EXPECT_EQ(card.Commands()->Entries().size(), 4u) << "the commands of the new build only";
    Zelt().Faults().Watch("IHostCardContext.Object");
    Zelt().Cards().CloseCurrent();
    EXPECT_EQ(Zelt().Faults().Calls("IHostCardContext.Object"), 0u);
    EXPECT_TRUE(card.Closed());
    EXPECT_EQ(card.Commands(), nullptr) << "the plug-in's commands are let go";
    EXPECT_EQ(card.Refresh(), S_FALSE) << "a closed card is not built again";
    EXPECT_EQ(card.Builds(), 2);
}

// The page controller and its cell controller answer the host's mistakes without harm.
TEST_F(Cards, PageAndCellControllers_RefuseMissingArguments) {
    Start(FileNotes{});
    const auto cells = Zelt().Cards().CellController();
    ASSERT_TRUE(cells);
    const auto& controllers = Zelt().View().MainFrame().Results().OrganisationPage().Controllers();
    ASSERT_EQ(controllers.size(), 1u);
    const auto page = controllers[0].as<IStdDirectoryCustomController>();
    zsys::ComPtr<IUnknown> handed, images, mark;
    const auto company = Zelt().Cards().DirectoryObject(kCafe);
    const auto marks = cells.as<ZeltHidden::IStdDirectoryCellCustomControllerPriv>();
    zsys::Bstr text;
    // What each refusal answers, in the order asked; nothing is handed out on the way.
    const std::vector<HRESULT> refusals{page->CellController(nullptr, handed.put()),
                                        page->CellController(page.get(), nullptr),
                                        cells->NoteText(0, nullptr, company.get(), text.put()),
                                        cells->NoteText(0, page.get(), nullptr, text.put()),
                                        cells->NoteText(0, page.get(), company.get(), nullptr),
                                        marks->CategoryMarks(1, nullptr, company.get(), text.put()),
                                        marks->CategoryMarks(1, page.get(), company.get(), nullptr),
                                        cells->CardOpened(nullptr),
                                        cells->CardBuilt(nullptr, nullptr, nullptr),
                                        cells->Unused5(0, nullptr, nullptr),
                                        cells->Unused7(nullptr, nullptr, nullptr),
                                        cells->Unused9(nullptr, nullptr, nullptr, nullptr),
                                        cells->ImageCollection(nullptr, nullptr, nullptr)};
    EXPECT_EQ(refusals, (std::vector<HRESULT>{E_INVALIDARG, E_POINTER, E_INVALIDARG, E_INVALIDARG, E_POINTER,
                                              E_INVALIDARG, E_POINTER, E_INVALIDARG, E_INVALIDARG, E_NOTIMPL,
                                              E_NOTIMPL, E_NOTIMPL, E_POINTER}));
    EXPECT_FALSE(handed);
    EXPECT_EQ(page->CellController(page.get(), handed.put()), S_OK);
    EXPECT_EQ(handed.try_as<IStdDirectoryCellCustomController>().get(), cells.get())
        << "the same one every time";
    ASSERT_EQ(cells->ImageCollection(nullptr, nullptr, images.put()), S_OK);
    LONG count = 0;
    EXPECT_EQ(images.as<IHostImageCollection>()->Count(&count), S_OK);
    EXPECT_EQ(count, 18) << "the images the marks name";
    EXPECT_EQ(images.as<IHostImageCollection>()->Image(zsys::Bstr(u"MYUNIQUETAG17").get(), mark.put()), S_OK);
}
