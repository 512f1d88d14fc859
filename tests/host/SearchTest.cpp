// Search by note end to end: the plug-in started by the reference host on Testford (and on
// a larger made-up city), its controls on the search tab filled as a person fills them,
// searches run from the tab and from a card's category mark, the organisation page
// filtered by the plug-in's quick filters, and the host's failures on the way.
#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/QuickFilterPass.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostQuickFilterSet.h"
#include "host/objects/HostSearchCriteria.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/objects/HostSearchView.h"
#include "platform/system/Language.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/PluginHost.h"
#include "tools/citygen/SyntheticCity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <random>
#include <sstream>

using namespace ZeltCore;
using namespace hosttest;
using namespace testford;

namespace {
const std::u16string kText(kNoteTextCriterion), kColor(kNoteCategoryCriterion);

// Testford's notes for most cases: the Café and the Dentist mention Moscow in two letter
// cases, the Taxis carry a category only.
const FileNotes kTestfordNotes = {
    {kCafeStable, {"Call Ann about the Москва order", {3}}},
    {kDentistStable, {"москва office, room 42", {3, 5}}},
    {kTaxisStable, {"", {5}}},
    {kEdgeStable, {"nothing to see", {}}},
};

class Search : public PluginHostTest {
protected:
    host::HostSearchTab& Tab() { return Zelt().View().MainFrame().SearchTab(); }
    host::HostSearchView& Results() { return Zelt().View().MainFrame().Results(); }
    host::HostEditBox& TextBox() { return *host::tab_search::EditBoxes(Tab()).at(0).get(); }
    host::HostComboBox& Combo() { return *host::tab_search::ComboBoxes(Tab()).at(0).get(); }
    // The plug-in's controls in the order they joined the notes group.
    zsys::ComPtr<IUnknown> Control(std::size_t index) { return Tab().Groups().at(0)->Controls().at(index); }
    zsys::ComPtr<host::HostSearchCriteria> Criteria() {
        return zsys::Make<host::HostSearchCriteria>(Zelt().View().SharedFaults());
    }
    // Fills the tab, runs the search from it and hands back the result of the run.
    HRESULT Find(const std::u16string& name, const std::u16string& text, LONG category) {
        Tab().TypeName(name);
        TextBox().Type(text);
        EXPECT_TRUE(Combo().Select(category));
        return host::tab_search::Run(Zelt().View());
    }
};

// What was drawn, one line an operation: the system colours by their index, the rectangles
// as left,top,right,bottom.
std::vector<std::string> Drawn(HDC dc) {
    const auto rect = [](const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    std::vector<std::string> lines;
    for (const zsys::DrawOp& op : zsys::RecordedOps(dc)) {
        using Kind = zsys::DrawOp::Kind;
        if (op.kind == Kind::Fill)
            lines.push_back("fill " + std::to_string(op.colorIndex) + " " + rect(op.rect));
        if (op.kind == Kind::BkMode) lines.push_back("mode " + std::to_string(op.mode));
        if (op.kind == Kind::Text)
            lines.push_back("text " + host::Utf8(op.text) + " " + rect(op.rect) + " format " +
                            std::to_string(op.format));
        if (op.kind == Kind::Image)
            lines.push_back("image " + std::to_string(op.index) + " at " + std::to_string(op.x) + "," +
                            std::to_string(op.y) +
                            (op.images ? " style " + std::to_string(op.style) : " no list"));
        if (op.kind != Kind::TextColor) continue;
        lines.push_back("color ?");
        for (const int index :
             {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT})
            if (op.color == zsys::GetSysColor(index)) lines.back() = "color " + std::to_string(index);
    }
    return lines;
}
} // namespace

TEST_F(Search, TheNotesGroupHoldsTheComboAboveTheTextBoxPlacedAndLabelled) {
    Start(FileNotes{});
    const struct {
        std::u16string tag, caption, placement;
        const char* tooltipStart;
    } cases[] = {
        {u"MY_NOTECOLORTAG", u"Category",
         u"<control_pos><size min_width=\"150\" /><position column_id=\"100SearchGroup\" row_id=\"101Row\" "
         u"order_in_row=\"1\" draw_external_caption=\"true\" /> </control_pos>",
         "Search for companies by note category."},
        {u"MY_NOTETEXTTAG", u"Note",
         u"<control_pos><size min_width=\"150\" /><position column_id=\"100SearchGroup\" row_id=\"102Row\" "
         u"order_in_row=\"1\" draw_external_caption=\"true\" /></control_pos>",
         "Search for companies by note text"},
    };
    ASSERT_EQ(Tab().Groups().at(0)->Controls().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const host::CommandView control = host::ReadCommand(Control(i));
        EXPECT_EQ(control.tag + u"|" + control.caption, cases[i].tag + u"|" + cases[i].caption);
        EXPECT_TRUE(host::Utf8(control.tooltip).starts_with(cases[i].tooltipStart));
        EXPECT_EQ(control.placement, cases[i].placement);
    }
    EXPECT_EQ(Combo().Hint() + u"|" + TextBox().Hint(), u"Name|Text");
    EXPECT_EQ(Combo().Style(), 2);
    EXPECT_TRUE(Combo().OwnerDrawn());
    EXPECT_EQ(Combo().Items().size(), 18u);
}

// The tab finds what the host's name and every box with a value agree on; a category mark on a
// card (here the Dentist's) finds every company of its category, and nothing else does. (A text
// or a category alone is the search script's, the two together the larger city's.)
TEST_F(Search, TheTabAndACategoryMarkFindWhatEveryCriterionAgreesOn) {
    Start(kTestfordNotes);
    Zelt().Cards().Open(kDentist);
    const struct {
        const char* what;
        std::u16string link; // the mark followed; none: the tab's search
        std::u16string name, text;
        LONG category;
        HRESULT result;
        std::vector<std::int32_t> found;
    } cases[] = {
        {"the host's name alone", u"", u"TAXI", u"", -1, S_OK, {kTaxis}},
        {"name and category", u"", u"l", u"", 3, S_OK, {kCafe, kDentist}},
        {"a category nobody carries", u"", u"", u"", 17, S_OK, {}},
        {"nothing to search for", u"", u"", u"", -1, S_FALSE, {}},
        {"a mark past the 18 categories", u"MYUNIQUETAG18", u"", u"", 0, E_FAIL, {}},
        {"a mark below them", u"MYUNIQUETAG-1", u"", u"", 0, E_FAIL, {}},
        {"a mark without a number", u"MYUNIQUETAG", u"", u"", 0, E_FAIL, {}},
        {"an address", u"http://example.org/3", u"", u"", 0, E_FAIL, {}},
        {"the prefix anywhere, the number after 11 characters", u"see MYUNIQUETAG3", u"", u"", 0, S_OK, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Results().ForgetSearch();
        if (c.link.empty()) {
            EXPECT_EQ(Find(c.name, c.text, c.category), c.result);
        } else {
            EXPECT_EQ(Zelt().Cards().Current()->FollowLink(c.link), c.result);
        }
        EXPECT_EQ(Results().Shown(), c.result == S_OK);
        EXPECT_EQ(Results().Found(), c.found);
    }
}

TEST_F(Search, TheTextFilterIsInstalledFirstAndEachAnswersForItsOwnCriterion) {
    Start(kTestfordNotes);
    const auto controller =
        Results().OrganisationPage().Controllers().at(0).try_as<IStdDirectoryCustomFilterController>();
    ASSERT_TRUE(controller);
    const zsys::Variant none, ann(std::u16string_view(u"ANN")), violet(std::u16string_view(u"MYUNIQUETAG5")),
        number(LONG(42)), three(LONG(3));
    const struct {
        const char* what;
        const zsys::Variant &text, &color;   // empty: no such criterion
        std::vector<LONG> answersForTheCafe; // one per filter, in their order
    } cases[] = {
        {"neither", none, none, {}},
        {"text", ann, none, {0}},
        {"category", none, violet, {1}},
        {"both", ann, violet, {0, 1}},
        {"a number as the text", number, none, {1}},
        {"a number as the category", none, three, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto criteria = Criteria();
        for (const auto& [id, value] : {std::pair{kText, &c.text}, {kColor, &c.color}})
            ASSERT_EQ(value->type() == VT_EMPTY ? S_OK : criteria->Add(zsys::Bstr(id).get(), value->get()),
                      S_OK);
        const auto filters = zsys::Make<host::HostQuickFilterSet>(Zelt().View().SharedFaults());
        ASSERT_EQ(controller->InstallQuickFilters(criteria.get(), filters.get()), S_OK);
        std::vector<LONG> answers;
        for (const auto& filter : filters->Filters()) {
            LONG distance = 7;
            EXPECT_EQ(filter->Test(kCafe, &distance), S_OK);
            answers.push_back(distance);
        }
        EXPECT_EQ(answers, c.answersForTheCafe);
    }
    // "42" as a number finds the room number written in the Dentist's note.
    const auto criteria = Criteria();
    ASSERT_EQ(criteria->Add(zsys::Bstr(kText).get(), number.get()), S_OK);
    ASSERT_EQ(Results().ShowResults(criteria.get(), nullptr, nullptr), S_OK);
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{kDentist});

    const auto filters = zsys::Make<host::HostQuickFilterSet>(Zelt().View().SharedFaults());
    EXPECT_EQ(controller->InstallQuickFilters(nullptr, filters.get()), E_INVALIDARG);
    EXPECT_EQ(controller->InstallQuickFilters(criteria.get(), nullptr), E_INVALIDARG);
    // A value without a text form fails the install before any filter is added.
    const auto odd = Criteria();
    ASSERT_EQ(odd->Add(zsys::Bstr(kText).get(), zsys::Variant(static_cast<IUnknown*>(filters.get())).get()),
              S_OK);
    EXPECT_EQ(controller->InstallQuickFilters(odd.get(), filters.get()), E_FAIL);
    EXPECT_TRUE(filters->Filters().empty());
    LONG distance = 0;
    criteria->Put(kText, u"x");
    ASSERT_EQ(controller->InstallQuickFilters(criteria.get(), filters.get()), S_OK);
    EXPECT_EQ(filters->Filters().at(0)->Test(kCafe, nullptr), E_POINTER);
    EXPECT_EQ(filters->Filters().at(0)->Test(kEdge + 1, &distance), S_OK);
    EXPECT_EQ(distance, -1);
}

TEST_F(Search, WhatWasSearchedForIsSaidWithTheValuesEscapedAndInsertedOnce) {
    std::vector<std::string> names = DefaultCategoryNames();
    names[4] = "R&D <\"{name}\">";
    WriteNotes({{kCafeStable, {"a <b> & \"{name}\" c", {4}}}}, names);
    Start();
    ASSERT_EQ(Find(u"", u"<b> & \"{name}\"", 4), S_OK);
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{kCafe});
    EXPECT_EQ(Results().Title(), u"Found companies");
    EXPECT_EQ(Results().Description(),
              u"<criterion>note category \"R&amp;D &lt;&quot;{name}&quot;&gt;\"</criterion>"
              u"<criterion>note text \"&lt;b&gt; &amp; &quot;{name}&quot;\"</criterion>"
              u"<description>Category: R&amp;D &lt;&quot;{name}&quot;&gt;; Note</description>");

    Zelt().Cards().Open(kCafe);
    ASSERT_EQ(Zelt().Cards().Current()->FollowLink(u"MYUNIQUETAG4"), S_OK);
    EXPECT_EQ(Results().Title(), u"Search by note category");
    EXPECT_EQ(Results().Description(),
              u"<criterion>Note search. You were looking for: </criterion>"
              u"<description>Category &quot;R&amp;D &lt;&quot;{name}&quot;&gt;&quot;</description>");
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{kCafe});

    // The host's own words follow its interface language.
    SetThreadUILanguage(1049);
    const HRESULT russian = Find(u"Caf", u"", -1);
    SetThreadUILanguage(0);
    ASSERT_EQ(russian, S_OK);
    EXPECT_EQ(Results().Title(), u"Найденные организации");
    EXPECT_EQ(Results().Description(),
              u"<criterion>название организации \"Caf\"</criterion><description>Название: Caf</description>");
}

TEST_F(Search, TheComboDrawsItsItemsAndItsFaceWithSwatchesAndSystemColours) {
    Start(FileNotes{});
    const RECT rect{10, 20, 210, 36};
    // Swatch 2 at the corner, the text beside it, centred on a single line (format 36).
    const std::string swatch = "image 2 at 10,20 style 1", text = "text green 30,20,210,36 format 36";
    const struct {
        const char* what;
        bool face;
        UINT state, action;
        LONG selection;
        std::vector<std::string> drawn;
    } cases[] = {
        // clang-format off
        {"a selected item", false, kItemSelected, kDrawEntire, -1,
         {"fill 13 10,20,210,36", "color 14", "mode 1", swatch, text}},
        {"an item drawn whole", false, 0, kDrawEntire, -1,
         {"fill 5 10,20,210,36", "color 8", "mode 1", swatch, text}},
        {"an item losing the focus only", false, 0, kDrawFocusChanged, -1, {swatch, text}},
        {"the face with a selection", true, 0, 0, 2, {swatch, "color 8", text}},
        {"the face without one", true, 0, 0, -1, {"color 17", "text Name 10,20,210,36 format 36"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Combo().Select(c.selection));
        const HDC dc = zsys::CreateRecordingDC();
        EXPECT_EQ(c.face ? Combo().DrawFace(dc, rect) : Combo().DrawItem(2, c.state, c.action, dc, rect),
                  S_OK);
        EXPECT_EQ(Drawn(dc), c.drawn);
        zsys::DeleteDC(dc);
    }
}

TEST_F(Search, TheControlsReadAddAndClearWhatTheBoxesHoldAndRefuseMissingArguments) {
    Start(FileNotes{});
    const auto combo = Control(0).as<ISearchGroupControl>(), text = Control(1).as<ISearchGroupControl>();
    VARIANT_BOOL has = 7, added = 7;
    // An empty text box has no value, yet adds the empty text when asked to; a combo without
    // a selection adds nothing.
    EXPECT_EQ(text->ReadValue(&has), S_OK);
    EXPECT_EQ(has, VARIANT_FALSE);
    const auto criteria = Criteria();
    EXPECT_EQ(text->AddCriteria(criteria.get(), &added), S_OK);
    EXPECT_EQ(added, VARIANT_TRUE);
    EXPECT_EQ(combo->HasValue(&has), S_OK);
    EXPECT_EQ(has, 0);
    EXPECT_EQ(combo->AddCriteria(criteria.get(), &added), S_OK);
    EXPECT_EQ(added, VARIANT_FALSE);
    EXPECT_EQ(criteria->Identifiers(), std::vector<std::u16string>{kText});
    EXPECT_EQ(criteria->Text(kText), u"");

    TextBox().Type(u"Ann");
    Combo().Select(4);
    EXPECT_EQ(text->ReadValue(&has), S_OK);
    EXPECT_EQ(has, VARIANT_TRUE);
    EXPECT_EQ(combo->ReadValue(&has), S_OK);
    EXPECT_EQ(has, 1); // the combo says 1, not VARIANT_TRUE
    EXPECT_EQ(combo->AddCriteria(criteria.get(), &added), S_OK);
    EXPECT_EQ(criteria->Text(kColor), u"MYUNIQUETAG4");

    for (const auto& control : {combo, text}) {
        added = VARIANT_TRUE;
        const auto untouched = Criteria();
        EXPECT_EQ(
            (std::vector<HRESULT>{control->AddCriteria(nullptr, &added),
                                  control->AddCriteria(untouched.get(), nullptr), control->ReadValue(nullptr),
                                  control->HasValue(nullptr), control->CriterionText(nullptr),
                                  control->DescriptionText(nullptr)}),
            (std::vector<HRESULT>{E_INVALIDARG, E_POINTER, E_POINTER, E_POINTER, E_POINTER, E_POINTER}));
        EXPECT_EQ(added, VARIANT_FALSE);
        EXPECT_TRUE(untouched->Identifiers().empty());
    }
    EXPECT_EQ(Control(0).as<IEditAreaDrawer>()->Draw(nullptr), E_POINTER);
    EXPECT_EQ(Control(0).as<IListBoxItemDrawer>()->DrawItem(nullptr), E_INVALIDARG);
    EXPECT_FALSE(Control(1).try_as<IEditAreaDrawer>());
    EXPECT_EQ(Combo().Selected(), 4) << "refusals change nothing";

    EXPECT_EQ(combo->Clear(), S_OK);
    EXPECT_EQ(text->Clear(), S_OK);
    EXPECT_EQ(TextBox().Text(), u"");
    EXPECT_EQ(Combo().Selected(), -1);
}

// (The failures while the controls are made are the start's, with the controller's.)
TEST_F(Search, HostFailuresEndTheFlowThatMetThemAndLeaveNothingBehind) {
    enum class Flow { Find, Follow, Draw };
    // The operations each flow meets, made to fail, then made to yield nothing.
    const struct {
        Flow flow;
        std::vector<const char*> fail, yieldNothing;
    } flows[] = {
        // clang-format off
        {Flow::Find, {"IHostEditBox.GetText", "IHostComboBox.Selection", "IHostComboBox.ItemText",
                      "IHostSearchCriteria.Add", "IHostSearchCriteria.Has", "IHostSearchCriteria.Get",
                      "IHostQuickFilterSet.Add", "IHostSearchView.ShowResults"}, {}},
        {Flow::Follow, {"IHostView.Factory", "IHostFactory.CreateSearchCriteria", "IHostSearchCriteria.Add",
                        "IHostFrame.SearchView", "IHostSearchView.ShowResults"},
         {"IHostFactory.CreateSearchCriteria"}},
        {Flow::Draw, {"IHostDrawContext.DeviceContext", "IHostDrawContext.Rect",
                      "IHostDrawContext.SelectedIndex", "IHostItemDrawContext.Rect",
                      "IHostItemDrawContext.ItemIndex", "IHostItemDrawContext.ItemState",
                      "IHostItemDrawContext.ItemAction", "IHostRect.Left", "IHostRect.Bottom"},
         {"IHostDrawContext.Rect"}},
        // clang-format on
    };
    for (const auto& [flow, fail, yield] : flows)
        for (const bool yieldNothing : {false, true})
            for (const std::string operation : yieldNothing ? yield : fail) {
                SCOPED_TRACE(operation + (yieldNothing ? " yields nothing" : " fails"));
                host::ZeltHost& zelt = Start(kTestfordNotes);
                TextBox().Type(u"москва");
                Combo().Select(3);
                if (flow == Flow::Follow) zelt.Cards().Open(kCafe);
                if (yieldNothing)
                    zelt.Faults().YieldNothing(operation);
                else
                    zelt.Faults().Fail(operation, E_UNEXPECTED);
                if (flow == Flow::Find) {
                    EXPECT_TRUE(FAILED(host::tab_search::Run(zelt.View())));
                } else if (flow == Flow::Follow) {
                    EXPECT_EQ(zelt.Cards().Current()->FollowLink(u"MYUNIQUETAG3"), E_FAIL);
                } else {
                    // The face reads the draw context, an item its item draw context; both the rectangle.
                    const HDC dc = zsys::CreateRecordingDC();
                    EXPECT_EQ(Combo().DrawFace(dc, {0, 0, 100, 16}),
                              operation.starts_with("IHostItemDrawContext") ? S_OK : E_FAIL);
                    EXPECT_EQ(Combo().DrawItem(3, 2, 1, dc, {0, 0, 100, 16}),
                              operation.starts_with("IHostDrawContext") ? S_OK : E_FAIL);
                    zsys::DeleteDC(dc);
                }
                EXPECT_FALSE(Results().Shown());
                zelt.Faults().Clear();
                EXPECT_EQ(zelt.Stop(), S_OK);
                EXPECT_EQ(zelt.PluginObjects(), 0);
                EXPECT_EQ(zelt.ForeignHostReferences(), 0);
            }
}

// On a city of 3,000 companies, about a tenth noted at random: what the tab finds is what a
// pass over the notes folding letter case as the C library does finds.
TEST_F(Search, TheResultIsExactlyWhatAPassOverTheNotesFileFinds) {
    const std::string path = TempPath("Data_Bulk.dat");
    citygen::WriteSyntheticCity(path, 3000);
    host::CityDatabase city(path);
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    const auto upper = [](const std::string& utf8) {
        std::wstring wide;
        for (const char16_t c : host::Utf16(utf8))
            wide += wchar_t(std::towupper(wint_t(c)));
        return wide;
    };
    const std::vector<std::string> words = {"Call",  "back", "ЗАВТРА",  "скидка",  "Ёлка",   "manager",
                                            "Ирина", "Пётр", "INVOICE", "договор", "ёлочка", "Monday"};
    std::mt19937 random(9);
    std::uniform_int_distribution<std::size_t> word(0, words.size() - 1), count(0, 4);
    std::uniform_int_distribution<int> category(0, 5);
    std::map<std::int32_t, std::int32_t> stableIds; // of the noted companies, by id
    FileNotes notes;
    const auto ids = city.CompanyIds();
    for (std::size_t i = 0; i < ids.size(); i += 1 + random() % 19) {
        FileNote note;
        for (std::size_t n = count(random); n > 0; --n)
            note.text += (note.text.empty() ? "" : " ") + words[word(random)];
        for (std::size_t n = count(random) / 2; n > 0; --n)
            if (const int c = category(random);
                std::ranges::find(note.categories, c) == note.categories.end())
                note.categories.push_back(c);
        if (note == FileNote{}) continue;
        stableIds[ids[i]] = city.Find(host::CityDatabase::Type::Company, ids[i])->stableId;
        notes[stableIds[ids[i]]] = note;
    }
    WriteNotes(notes, {}, host::Utf8(city.Name()), "Bulk");
    Start(1033, path);

    const std::pair<std::string, LONG> cases[] = {{"ёлк", -1},  {"ЁЛОЧ", 2}, {"call b", -1},
                                                  {"ирина", 4}, {"", 1},     {"l m", -1}};
    for (const auto& [text, colour] : cases) {
        SCOPED_TRACE(text + " / " + std::to_string(colour));
        std::vector<std::int32_t> expected;
        for (const auto& [id, stable] : stableIds) {
            const FileNote& note = notes.at(stable);
            if ((text.empty() || upper(note.text).find(upper(text)) != std::wstring::npos) &&
                (colour < 0 || std::ranges::find(note.categories, colour) != note.categories.end()))
                expected.push_back(id);
        }
        ASSERT_EQ(Find(u"", host::Utf16(text), colour), S_OK);
        EXPECT_EQ(Results().Found(), expected);
        EXPECT_FALSE(expected.empty());
    }
    std::setlocale(LC_CTYPE, "C");
}

// A person's session with zelt-host: notes added through the dialog and categories toggled
// on three cards, the map following one of them, then searches by a fragment in another letter
// case, by a category, and from a category mark.
TEST_F(Search, AScriptNotesThreeCompaniesThenFindsThemByTextAndByCategoryAndFollowsAMark) {
    int exitCode = -1;
    const std::string out =
        RunHost("",
                "open 11\nclick addNode\nset 119 Call Ann about the Москва order\npress 1\nclick "
                "addCategory3\nclose\n"
                "open 12\nclick addNode\nset 119 москва office\npress 1\nclick addCategory3\nclick "
                "addCategory5\nmap\nclick addCategory3\nmap\nclick addCategory3\nclose\n"
                "open 13\nclick addCategory5\nclose\n"
                "note-text МОСКВА\nfind\nnote-text\ncategory 5\nfind\nclear\nopen 11\nfollow MYUNIQUETAG3\n",
                &exitCode);
    std::vector<std::string> shown;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("result") || line.starts_with("error") || line.starts_with("stopped"))
            shown.push_back(line.substr(0, line.find(" note=")));
    const std::string cafe = "result 11 1001 \"Café Lumière\"",
                      dentist = "result 12 -1002 \"Mill Street Dental\"";
    const std::vector<std::string> expected = {
        "results \"Found companies\" \"<criterion>note text \\\"МОСКВА\\\"</criterion><description>Note"
        "</description>\" count=2",
        cafe,
        dentist,
        "results \"Found companies\" \"<criterion>note category "
        "\\\"violet\\\"</criterion><description>Category: "
        "violet</description>\" count=2",
        dentist,
        "result 13 11 \"Testford Taxis\"",
        "results \"Search by note category\" \"<criterion>Note search. You were looking for: </criterion>"
        "<description>Category &quot;light blue&quot;</description>\" count=2",
        cafe,
        dentist,
        kCleanAccounting.substr(0, kCleanAccounting.size() - 1),
    };
    EXPECT_EQ(shown, expected) << out;
    EXPECT_EQ(exitCode, 0);
    EXPECT_NE(out.find("\nstarted: yes\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("\n> "), std::string::npos) << "no prompt when the input is not a terminal";
    // The map marks the Dentist's building while its card is open, as its categories come and go.
    const std::string lightBlue = "block NodesIcon3 \"light blue\": 400000001",
                      violet = "block NodesIcon5 \"violet\": 400000001";
    EXPECT_EQ(MarkedBlocks(out), (std::vector<std::vector<std::string>>{{lightBlue, violet}, {violet}}));
}

namespace {
// A quick filter that answers from a script and notes every company it is asked about: a
// distance for the companies the script names (a failure where it is an HRESULT below -1),
// 0 for the others.
class ScriptedFilter : public zsys::ComObject<ScriptedFilter, IStdDirectoryQuickFilter> {
public:
    explicit ScriptedFilter(std::map<LONG, LONG> answers) : answers_(std::move(answers)) {}
    HRESULT Test(LONG id, LONG* distance) noexcept override {
        asked.push_back(id);
        const LONG answer = answers_.contains(id) ? answers_.at(id) : 0;
        if (answer < -1) return HRESULT(answer);
        *distance = answer;
        return S_OK;
    }
    std::vector<LONG> asked;

private:
    ~ScriptedFilter() override = default;
    std::map<LONG, LONG> answers_;
};
} // namespace

TEST(SearchPass, AsksOnlyTheCompaniesThatTheDistancesLeaveAndKeepsWhatEveryFilterKeeps) {
    std::vector<std::int32_t> hundred(100);
    for (std::int32_t i = 0; i < 100; ++i)
        hundred[std::size_t(i)] = i + 1;
    const struct {
        const char* what;
        std::vector<std::int32_t> candidates;
        std::map<LONG, LONG> first, second; // the two filters' answers
        std::vector<LONG> firstAsked, secondAsked;
        std::vector<std::int32_t> kept;
    } cases[] = {
        // clang-format off
        {"a skip lands on the id it names", hundred, {{1, 9}, {11, 50}, {61, -1}}, {}, {1, 10, 11, 61}, {10},
         {10}},
        {"a skip past the gaps of a shorter list lands on the next candidate", {3, 8, 20, 21}, {{3, 10}}, {},
         {3, 20, 21}, {20, 21}, {20, 21}},
        {"the second filter is asked only what the first keeps, and skips too", {1, 2, 3, 4, 5, 6}, {{1, 1}},
         {{2, 3}}, {1, 2, 5, 6}, {2, 5, 6}, {5, 6}},
        {"a failing test drops only its company", {1, 2, 3}, {{2, E_FAIL}}, {}, {1, 2, 3}, {1, 3}, {1, 3}},
        {"-1 at once ends the pass", hundred, {{1, -1}}, {}, {1}, {}, {}},
        {"a distance past the last id ends it too", {5, 6}, {{5, 1000}}, {}, {5}, {}, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto first = zsys::Make<ScriptedFilter>(c.first), second = zsys::Make<ScriptedFilter>(c.second);
        const zsys::ComPtr<IStdDirectoryQuickFilter> filters[] = {first, second};
        EXPECT_EQ(host::KeptByQuickFilters(c.candidates, filters), c.kept);
        EXPECT_EQ(first->asked, c.firstAsked);
        EXPECT_EQ(second->asked, c.secondAsked);
    }
}
