// The note categories on the map: the controller registers a layer block per category
// with the reference host, counts the buildings of noted companies into them as cards
// open and close (driven here through its INodeDisplayer operations), and the host's
// sinks and information panel show the result.
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "host/HostFrame.h"
#include "host/HostMap.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "plugin/CommunicationManager.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

using namespace ZeltCore;
using zsys::Bstr;
using zsys::ComPtr;
using Heard = std::vector<host::HostLayerBlockSink::Announcement>;

namespace {
namespace fs = std::filesystem;

// Mapton, a city small enough to know by heart:
//   Corner Café (1): branches at 2 Mill Street (102), 1 Mill Street (101) and 102 again
//   Mill Dental (2): a branch at 101
//   Town Taxis (3): a branch without premises
//   Shell Holdings (4): no branches
//   Harbour Books (5): a branch at 3 Mill Street (103)
constexpr std::int32_t kCafe = 1, kDental = 2, kTaxis = 3, kShell = 4, kBooks = 5;
constexpr ULONG kMill1 = 101, kMill2 = 102, kMill3 = 103;

std::int32_t StableIdOf(std::int32_t company) {
    return 1000 + company;
}

const std::string& MaptonPath() {
    static const std::string path = [] {
        const std::string file = testing::TempDir() + "/Data_Mapton." + std::to_string(getpid()) + ".dat";
        citygen::CityWriter w(file, "Mapton");
        w.AddStreet(1, 9001, "Mill Street");
        for (const ULONG b : {kMill1, kMill2, kMill3})
            w.AddBuilding(std::int32_t(b), std::int32_t(8000 + b), 1, std::to_string(b - 100));
        const std::pair<std::int32_t, const char*> companies[] = {{kCafe, "Corner Café"},
                                                                  {kDental, "Mill Dental"},
                                                                  {kTaxis, "Town Taxis"},
                                                                  {kShell, "Shell Holdings"},
                                                                  {kBooks, "Harbour Books"}};
        for (const auto& [id, name] : companies)
            w.AddCompany(id, StableIdOf(id), name, "shop");
        w.AddBranch(201, 5201, kCafe, 1, kMill2);
        w.AddBranch(202, 5202, kCafe, 2, kMill1);
        w.AddBranch(203, 5203, kCafe, 3, kMill2);
        w.AddBranch(204, 5204, kDental, 1, kMill1);
        w.AddBranch(205, 5205, kTaxis, 1, std::nullopt);
        w.AddBranch(206, 5206, kBooks, 1, kMill3);
        w.Commit();
        return file;
    }();
    return path;
}

class MapOfNotes : public testing::Test {
protected:
    MapOfNotes() {
        char pattern[] = "/tmp/map_layers.XXXXXX";
        appData_ = mkdtemp(pattern);
        host_ =
            std::make_unique<host::ZeltHost>(host::ZeltHost::Options{"", 0, MaptonPath(), appData_.string()});
        SetThreadUILanguage(1033);
    }
    ~MapOfNotes() override {
        controller_.reset();
        Map().ReleaseBlocks();
        // The notes group keeps the plug-in's settings button until the host drops it.
        host_->View().MainFrame().SearchTab().ReleaseGroups();
        EXPECT_EQ(host_->ForeignHostReferences(), 0) << "something of the plug-in or the host is still held";
        host_.reset();
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
        fs::remove_all(appData_);
    }

    CommunicationManager& Start() {
        controller_ = std::make_unique<CommunicationManager>(
            ComPtr<IHostView>(&host_->View()), std::make_shared<LangLocal>(TheModule().Instance()));
        return *controller_;
    }
    void Note(std::int32_t company, std::vector<std::int32_t> categories, std::u16string text = {}) {
        CollectionElement note;
        note.SetId(StableIdOf(company));
        note.SetText(std::move(text));
        for (const std::int32_t c : categories)
            note.AddCategory(c);
        controller_->Notes().Set(company, note);
    }
    ComPtr<IHostDirObject> Company(std::int32_t company) {
        ComPtr<IHostDatabase> database;
        EXPECT_EQ(host_->View().Database(database.put()), S_OK);
        ComPtr<IUnknown> table;
        EXPECT_EQ(database->Table(Bstr(u"zelt_org").get(), table.put()), S_OK);
        ComPtr<IHostDirObject> object;
        EXPECT_EQ(table.as<IHostTable>()->ObjectByStableId(StableIdOf(company), object.put()), S_OK);
        return object;
    }
    void Open(std::int32_t company) { controller_->AddMapMarks(Company(company).get()); }
    void Close(std::int32_t company) { controller_->RemoveMapMarks(Company(company).get()); }

    host::HostMap& Map() const { return host_->View().MainFrame().CityMap(); }
    const std::vector<host::HostLayerBlockList::Entry>& Blocks() const { return Map().Blocks().Entries(); }
    const host::HostLayerBlockSink& Sink(std::size_t category) const {
        return *Blocks().at(category).sink.get();
    }
    // The categories whose sinks heard anything.
    std::set<std::size_t> Announcing() const {
        std::set<std::size_t> announcing;
        for (std::size_t c = 0; c < Blocks().size(); ++c)
            if (!Sink(c).Announcements().empty()) announcing.insert(c);
        return announcing;
    }

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> host_;
    std::unique_ptr<CommunicationManager> controller_;
};

std::u16string Decimal(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Text(HRESULT (IControlAppearance::*read)(BSTR*), IControlAppearance& appearance) {
    Bstr text;
    EXPECT_EQ((appearance.*read)(text.put()), S_OK);
    return text.str();
}
} // namespace

TEST_F(MapOfNotes, Registration_PutsABlockPerCategoryOnTheBuildingsLayerUntilTheControllerGoes) {
    Start();
    ComPtr<IHostMapInfo> info;
    ASSERT_EQ(Map().InfoPanel(info.put()), S_OK);
    ComPtr<IUnknown> companiesBlock;
    ASSERT_EQ(info->Block(Bstr(u"Zelt.MapInfo.DirOrg").get(), companiesBlock.put()), S_OK);
    const auto& categories = dynamic_cast<Categories&>(controller_->CategoryTable());

    ASSERT_EQ(Blocks().size(), 18u);
    for (std::size_t c = 0; c < 18; ++c) {
        SCOPED_TRACE(c);
        const auto& entry = Blocks()[c];
        EXPECT_EQ(entry.tag, u"NodesIcon" + Decimal(c));
        EXPECT_EQ(entry.caption, categories.CategoryName(int(c)));
        ComPtr<IUnknown> shown, expected;
        EXPECT_EQ(entry.block.as<IControlAppearance>()->Image(shown.put()), S_OK);
        ASSERT_EQ(categories.MapImages().Collection()->Image(Bstr(categories.ImageName(int(c))).get(),
                                                             expected.put()),
                  S_OK);
        EXPECT_TRUE(shown && shown == expected) << "the block shows its category's map image";
        ComPtr<IUnknown> filtered;
        EXPECT_EQ(entry.block.as<IMapInfoLayerBlock>()->MapInfoBlock(filtered.put()), S_OK);
        EXPECT_EQ(filtered, companiesBlock) << "the block filters the panel's companies";
    }
    EXPECT_EQ(Blocks()[0].caption, u"red");
    const auto& block = Blocks()[3].block;
    EXPECT_EQ(Text(&IControlAppearance::Tooltip, *block.as<IControlAppearance>().get()), u"");
    Bstr placement, imageName;
    EXPECT_EQ(block.as<IControlPlacement>()->Placement(placement.put()), S_OK);
    EXPECT_EQ(placement.view(), u"1111SampleInfoBlocks:0130");
    EXPECT_EQ(block.as<IMapInfoDirOrgFilter>()->ImageName(imageName.put()), S_OK);
    EXPECT_EQ(imageName.view(), u"NodesIcon3");

    // Every block hangs under one group: "Notes" with the notes icon.
    ComPtr<IUnknown> parent, other;
    ASSERT_EQ(Blocks()[0].block.as<IChildControl>()->Parent(parent.put()), S_OK);
    ASSERT_EQ(Blocks()[17].block.as<IChildControl>()->Parent(other.put()), S_OK);
    EXPECT_EQ(parent, other);
    const auto group = parent.as<IControlAppearance>();
    EXPECT_EQ(Text(&IControlAppearance::Tag, *group.get()), u"NodesMainBlock");
    EXPECT_EQ(Text(&IControlAppearance::Caption, *group.get()), u"Notes");
    EXPECT_EQ(Text(&IControlAppearance::Tooltip, *group.get()), u"Notes on companies");
    EXPECT_EQ(parent.as<IControlPlacement>()->Placement(placement.put()), S_OK);
    EXPECT_EQ(placement.view(), u"BlockPlacement");
    ComPtr<IUnknown> icon;
    EXPECT_EQ(group->Image(icon.put()), S_OK);
    EXPECT_EQ(icon, host_->View().MainFrame().SearchTab().Groups().at(0)->Icon());

    controller_.reset();
    EXPECT_TRUE(Blocks().empty()) << "the controller takes its blocks off the map as it goes";
}

// Which buildings a block marks follows the cards: a building is announced when the first
// counted company in it comes, and withdrawn when the last one goes.
TEST_F(MapOfNotes, Counts_AnnounceABuildingOnlyWhenItEntersOrLeavesTheCounts) {
    struct Step {
        std::int32_t company;
        bool open; // a card opened (AddMapMarks) or closed (RemoveMapMarks)
        std::set<ULONG> marked;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Heard heard;
    };
    const Case cases[] = {
        {"two companies in one building",
         {{kCafe, true, {kMill1, kMill2}},
          {kDental, true, {kMill1, kMill2}},
          {kCafe, false, {kMill1}},
          {kDental, false, {}}},
         {{true, kMill1}, {true, kMill2}, {false, kMill2}, {false, kMill1}}},
        {"a card opened twice and closed once",
         {{kCafe, true, {kMill1, kMill2}},
          {kCafe, true, {kMill1, kMill2}},
          {kCafe, false, {kMill1, kMill2}},
          {kCafe, false, {}}},
         {{true, kMill1}, {true, kMill2}, {false, kMill1}, {false, kMill2}}},
        {"a card closed that was never opened", {{kDental, false, {}}}, {{false, kMill1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Note(kCafe, {2}, u"lunch");
        Note(kDental, {2});
        for (const Step& step : c.steps) {
            step.open ? Open(step.company) : Close(step.company);
            EXPECT_EQ(Sink(2).Marked(), step.marked);
        }
        EXPECT_EQ(Sink(2).Announcements(), c.heard);
        EXPECT_EQ(Announcing(), std::set<std::size_t>{2}) << "other categories' blocks hear nothing";
        controller_.reset();
    }
}

TEST_F(MapOfNotes, Counts_LeaveTheMapAloneForACompanyWithoutBuildingsOrCategories) {
    struct Case {
        const char* name;
        std::int32_t company;
        std::optional<std::vector<std::int32_t>> categories; // none: no note
        std::u16string text;
    };
    const Case cases[] = {
        {"no branches", kShell, std::vector<std::int32_t>{0, 1}, u""},
        {"a branch without premises", kTaxis, std::vector<std::int32_t>{0}, u""},
        {"no note", kBooks, std::nullopt, u""},
        {"a note of text only", kBooks, std::vector<std::int32_t>{}, u"closed on Sundays"},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller_->Notes().Erase(c.company);
        if (c.categories) Note(c.company, *c.categories, c.text);
        Open(c.company);
        Close(c.company);
        EXPECT_TRUE(Announcing().empty());
    }
}

TEST_F(MapOfNotes, Counts_MarkTheLastCategoryAndSkipNumbersWithoutABlock) {
    Start();
    Note(kBooks, {18, 17, 1000, -1});
    Open(kBooks);
    EXPECT_EQ(Sink(17).Marked(), std::set<ULONG>{kMill3});
    EXPECT_EQ(Announcing(), std::set<std::size_t>{17});
    Close(kBooks);
    EXPECT_TRUE(Sink(17).Marked().empty());
}

TEST_F(MapOfNotes, HasCategory_ReadsTheCategoryAfterTheNamePrefixAsWcstolDoes) {
    struct Case {
        const char16_t* name; // null: no name at all
        std::vector<std::int32_t> categories;
        bool expected;
    };
    const Case cases[] = {
        {u"NodesIcon3", {1, 3}, true},  {u"NodesIcon2", {1, 3}, false}, {u"NodesIcon1", {1, 3}, true},
        {u"NodesIcon", {1, 3}, false},  {u"NodesIcon", {0}, true},      {u"NodesIcon12abc", {12}, true},
        {u"NodesIcon \t+3", {3}, true}, {u"NodesIcon-3", {3}, false},   {u"NodesIconX", {0}, true},
        {u"Notes", {0}, true},          {u"PrefixXXX7", {7}, true},     {u"NodesIcon99999999999", {7}, false},
        {nullptr, {0}, false},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name))
                            : "null");
        Note(kCafe, c.categories);
        const Bstr name(c.name ? std::u16string_view(c.name) : std::u16string_view());
        EXPECT_EQ(controller_->HasCategory(c.name ? name.get() : nullptr, kCafe), c.expected);
        EXPECT_FALSE(controller_->HasCategory(name.get(), kDental))
            << "a company without a note has no category";
    }
}

// A sink attached after buildings were counted hears all of them at once: here the caption
// refresh adds every block again, and the host gives each a new sink.
TEST_F(MapOfNotes, CaptionRefresh_ReaddsEveryBlockWithItsNameAndItsCountedBuildings) {
    Start();
    Note(kBooks, {2});
    Note(kCafe, {2});
    host_->Faults().Fail("IHostLayerBlockSink.Add", E_UNEXPECTED);
    Open(kBooks); // the sink fails; the count stands all the same
    Open(kCafe);
    EXPECT_TRUE(Announcing().empty());
    host_->Faults().Clear();

    std::vector<const host::HostLayerBlockSink*> before;
    for (const auto& entry : Blocks())
        before.push_back(entry.sink.get());
    auto& categories = dynamic_cast<Categories&>(controller_->CategoryTable());
    ASSERT_TRUE(categories.SetName(2, u"Fish & \"Chips\""));
    ASSERT_TRUE(categories.SetName(17, u"last"));
    controller_->RefreshLayerCaptions();

    ASSERT_EQ(Blocks().size(), 18u);
    for (std::size_t c = 0; c < 18; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(Blocks()[c].tag, u"NodesIcon" + Decimal(c));
        EXPECT_EQ(Blocks()[c].caption, categories.CategoryName(int(c)));
        EXPECT_NE(Blocks()[c].sink.get(), before[c]);
    }
    EXPECT_EQ(Blocks()[2].caption, u"Fish & \"Chips\"");
    EXPECT_EQ(Blocks()[17].caption, u"last");
    EXPECT_EQ(Sink(2).Announcements(), (Heard{{true, kMill1}, {true, kMill2}, {true, kMill3}}));
    EXPECT_EQ(Announcing(), std::set<std::size_t>{2});
}

TEST_F(MapOfNotes, Panel_KeepsTheCompaniesOfTheBlocksCategoryAndDescribesItInEscapedHtml) {
    Start();
    Note(kCafe, {2, 5}, u"good coffee");
    Note(kDental, {5});
    ASSERT_TRUE(
        dynamic_cast<Categories&>(controller_->CategoryTable()).SetName(5, u"<b>Fish</b> & \"Chips\""));
    controller_->RefreshLayerCaptions();

    const host::HostMap::Panel panel = Map().PanelOf(kMill1);
    ASSERT_EQ(panel.companies.size(), 2u);
    EXPECT_EQ(panel.companies[0].id, kCafe);
    EXPECT_EQ(panel.companies[0].name, u"Corner Café");
    EXPECT_EQ(panel.companies[1].id, kDental);
    ASSERT_EQ(panel.filters.size(), 2u) << "only the blocks that keep a company show";
    EXPECT_EQ(panel.filters[0].tag, u"NodesIcon2");
    EXPECT_EQ(panel.filters[0].companies, std::vector<std::int32_t>{kCafe});
    EXPECT_EQ(panel.filters[0].description, u"Companies in the note category &quot;green&quot;");
    EXPECT_EQ(panel.filters[1].tag, u"NodesIcon5");
    EXPECT_EQ(panel.filters[1].companies, (std::vector<std::int32_t>{kCafe, kDental}));
    EXPECT_EQ(panel.filters[1].description,
              u"Companies in the note category &quot;&lt;b&gt;Fish&lt;/b&gt; &amp; &quot;Chips&quot;&quot;");
}

TEST_F(MapOfNotes, Registration_IsSkippedSilentlyWithoutTheInformationPanelOrItsCompaniesBlock) {
    for (const char* operation : {"IHostMap.InfoPanel", "IHostMapInfo.Block"}) {
        SCOPED_TRACE(operation);
        host_->Faults().YieldNothing(operation);
        Start();
        EXPECT_TRUE(Blocks().empty());
        Note(kCafe, {2});
        Open(kCafe); // no block to count into
        Close(kCafe);
        controller_->RefreshLayerCaptions();
        EXPECT_TRUE(Blocks().empty());
        controller_.reset();
        host_->Faults().Clear();
    }
}

TEST_F(MapOfNotes, Registration_EndsTheStartAtAHostFailureLeavingTheBlocksAddedSoFar) {
    struct Case {
        const char* operation;
        bool yieldNothing;
        unsigned fromCall;
        HRESULT expected;
        std::size_t blocksLeft;
    };
    const Case cases[] = {
        {"IHostFrame.Map", false, 1, E_UNEXPECTED, 0},
        {"IHostFrame.Map", true, 1, E_POINTER, 0},
        {"IHostFrame.Map", false, 2, E_UNEXPECTED, 0}, // the second look, for the panel
        {"IHostMap.Layers", false, 1, E_UNEXPECTED, 0},
        {"IHostMap.Layers", true, 1, E_POINTER, 0},
        {"IHostLayers.Layer", false, 1, E_UNEXPECTED, 0},
        {"IHostLayers.Layer", true, 1, E_INVALIDARG, 0}, // the host has no list for no layer
        {"IHostLayers.BlockList", false, 1, E_UNEXPECTED, 0},
        {"IHostLayers.BlockList", true, 1, E_POINTER, 0},
        {"IHostMap.InfoPanel", false, 1, E_UNEXPECTED, 0},
        {"IHostMapInfo.Block", false, 1, E_UNEXPECTED, 0},
        // The card menu takes its 18 images first; then each block its own.
        {"IHostImageCollection.Image", false, 18 + 4, E_UNEXPECTED, 3},
        {"IHostLayerBlockList.Add", false, 5, E_UNEXPECTED, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + (c.yieldNothing ? " yields nothing" : " fails") +
                     " from call " + std::to_string(c.fromCall));
        if (c.yieldNothing)
            host_->Faults().YieldNothing(c.operation, c.fromCall);
        else
            host_->Faults().Fail(c.operation, E_UNEXPECTED, c.fromCall);
        try {
            Start();
            ADD_FAILURE() << "the start went through";
        } catch (const zsys::ComError& e) {
            EXPECT_EQ(e.code(), c.expected);
        }
        host_->Faults().Clear();
        EXPECT_EQ(Blocks().size(), c.blocksLeft);
        // The blocks outlive the controller in the host; they no longer ask it anything.
        if (c.blocksLeft) {
            EXPECT_TRUE(Map().PanelOf(kMill1).filters.empty());
        }
        Map().ReleaseBlocks();
        host_->View().MainFrame().SearchTab().ReleaseGroups();
        EXPECT_EQ(host_->ForeignHostReferences(), 0);
    }
}
