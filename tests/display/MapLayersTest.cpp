// The note categories on the map, in one process with the reference host on Testford: a layer
// block per category, the buildings of noted companies counted into them as the host opens and
// closes their cards, and the host's failures while the blocks are registered. What the shell
// shows (the blocks' captions after a rename, the panel's filters and their descriptions, the
// marks following a card, the failures where cards meet the map) is tested through it.
#include "host/CommandView.h"
#include "host/objects/HostFrame.h"
#include "host/objects/HostMap.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "tests/plugin/ControllerFixture.h"

#include <set>

using namespace ZeltCore;
using zsys::Bstr;
using zsys::ComPtr;
using Heard = std::vector<host::HostLayerBlockSink::Announcement>;

namespace {
// The Café's buildings: 12 and 14A Mill Street, where the Dentist is too at 12, and 3 Ferry Lane.
constexpr ULONG kMill12U = kMill12, kMill14AU = kMill14A, kFerry3 = 400000003;
const std::set<ULONG> kCafeBuildings = {kMill12U, kMill14AU, kFerry3};

// What a sink heard: these buildings marked, then these no longer marked.
Heard Announced(std::vector<ULONG> marked, std::vector<ULONG> unmarked = {}) {
    Heard heard;
    for (const ULONG b : marked)
        heard.push_back({true, b});
    for (const ULONG b : unmarked)
        heard.push_back({false, b});
    return heard;
}

class MapOfNotes : public ControllerFixture {
protected:
    host::HostMap& Map() const { return zelt_.View().MainFrame().CityMap(); }
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
};
} // namespace

// That each block filters the panel's companies is seen in the shell's panel.
TEST_F(MapOfNotes, Registration_ABlockPerCategoryShowsItsMapImageUnderTheNotesGroupUntilTheControllerGoes) {
    Start();
    const auto& categories = dynamic_cast<Categories&>(controller_->CategoryTable());

    ASSERT_EQ(Blocks().size(), 18u);
    for (std::size_t c = 0; c < 18; ++c) {
        SCOPED_TRACE(c);
        const auto& block = Blocks()[c].block;
        ComPtr<IUnknown> expected, parent;
        ASSERT_EQ(categories.MapImages().Collection()->Image(Bstr(categories.ImageName(int(c))).get(),
                                                             expected.put()),
                  S_OK);
        EXPECT_EQ(host::CommandImage(block), expected) << "the block shows its category's map image";
        ASSERT_EQ(block.as<IChildControl>()->Parent(parent.put()), S_OK);
        // Every block hangs under one group: "Notes" with the notes icon; a failed read gives neither.
        const host::CommandView group = host::ReadCommand(parent);
        EXPECT_EQ(group.caption + u"|" + group.tooltip, u"Notes|Notes on companies");
        EXPECT_EQ(host::CommandImage(parent), zelt_.View().MainFrame().SearchTab().Groups().at(0)->Icon());
    }

    controller_.reset();
    EXPECT_TRUE(Blocks().empty()) << "the controller takes its blocks off the map as it goes";
}

// Which buildings a block marks follows the cards: a building is announced when the first
// counted company in it comes, and withdrawn when the last one goes.
TEST_F(MapOfNotes, Counts_AnnounceABuildingOnlyWhenItEntersOrLeavesTheCounts) {
    struct Step {
        std::int32_t open; // a card opened for that company; 0: the current card closed
        std::set<ULONG> marked;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
        Heard heard;
    } cases[] = {
        {"two companies in one building",
         {{kDentist, {kMill12U}}, {kCafe, kCafeBuildings}, {0, {kMill12U}}, {0, {}}},
         Announced({kMill12U, kMill14AU, kFerry3}, {kMill14AU, kFerry3, kMill12U})},
        {"a card opened twice and closed once",
         {{kCafe, kCafeBuildings}, {kCafe, kCafeBuildings}, {0, kCafeBuildings}, {0, {}}},
         Announced({kMill12U, kMill14AU, kFerry3}, {kMill12U, kMill14AU, kFerry3})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Note(kCafe, {2}, u"lunch");
        Note(kDentist, {2});
        for (const Step& step : c.steps) {
            step.open ? (void)zelt_.Cards().Open(step.open) : zelt_.Cards().CloseCurrent();
            EXPECT_EQ(Sink(2).Marked(), step.marked);
        }
        EXPECT_EQ(Sink(2).Announcements(), c.heard);
        EXPECT_EQ(Announcing(), std::set<std::size_t>{2}) << "other categories' blocks hear nothing";
        controller_.reset();
    }

    // A building never counted is withdrawn all the same.
    Start();
    Blocks().at(2).block.as<INodeLayerBlock>()->RemoveObject(kMill12U);
    EXPECT_EQ(Sink(2).Announcements(), Announced({}, {kMill12U}));
}

TEST_F(MapOfNotes, Counts_MarkOnlyTheBuildingsOfAKnownCategoryOfANote) {
    const struct {
        const char* name;
        std::int32_t company;
        std::vector<std::int32_t> categories;
        std::u16string text; // with no categories either: no note
        std::set<std::size_t> announcing;
    } cases[] = {
        {"no branches", kEdge, {0, 1}, u"", {}},
        {"a branch without premises", kTaxis, {0}, u"", {}},
        {"a branch in a building the city lacks", kGhost, {0}, u"", {}},
        {"no note", kCafe, {}, u"", {}},
        {"a note of text only", kCafe, {}, u"closed on Sundays", {}},
        {"the last category, and numbers without a block", kCafe, {18, 17, 1000, -1}, u"", {17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Note(c.company, c.categories, c.text);
        zelt_.Cards().Open(c.company);
        EXPECT_EQ(Announcing(), c.announcing);
        zelt_.Cards().CloseCurrent();
        controller_.reset();
    }
}

// How the number itself is read is the note commands' test; here, where a block's name puts it.
TEST_F(MapOfNotes, HasCategory_ReadsTheCategoryAfterTheNamesFirstNineCharacters) {
    const struct {
        const char16_t* name; // null: no name at all
        std::vector<std::int32_t> categories;
        bool expected;
    } cases[] = {
        {u"NodesIcon3", {1, 3}, true}, {u"NodesIcon2", {1, 3}, false}, {u"Notes", {0}, true},
        {u"PrefixXXX7", {7}, true},    {nullptr, {0}, false},
    };
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name))
                            : "null");
        Note(kCafe, c.categories);
        const Bstr name(c.name ? std::u16string_view(c.name) : std::u16string_view());
        EXPECT_EQ(controller_->HasCategory(c.name ? name.get() : nullptr, kCafe), c.expected);
        EXPECT_FALSE(controller_->HasCategory(name.get(), kDentist))
            << "a company without a note has no category";
    }
}

// A sink attached after buildings were counted hears all of them at once: here the caption
// refresh adds every block again, and the host gives each a new sink.
TEST_F(MapOfNotes, CaptionRefresh_ReaddsEveryBlockAndItsCountedBuildings) {
    Start();
    Note(kCafe, {2});
    zelt_.Faults().Fail("IHostLayerBlockSink.Add", E_UNEXPECTED);
    zelt_.Cards().Open(kCafe); // the sink fails; the count stands all the same
    EXPECT_TRUE(Announcing().empty());
    zelt_.Faults().Clear();

    std::vector<const host::HostLayerBlockSink*> before;
    for (const auto& entry : Blocks())
        before.push_back(entry.sink.get());
    controller_->RefreshLayerCaptions();

    ASSERT_EQ(Blocks().size(), 18u);
    for (std::size_t c = 0; c < 18; ++c)
        EXPECT_NE(Blocks()[c].sink.get(), before[c]) << c;
    EXPECT_EQ(Sink(2).Announcements(), Announced({kMill12U, kMill14AU, kFerry3}));
    EXPECT_EQ(Announcing(), std::set<std::size_t>{2});
}

// Without the information panel or its companies block the blocks are skipped silently.
TEST_F(MapOfNotes, Registration_EndsTheStartAtAHostFailureLeavingTheBlocksAddedSoFarButNeedsNoPanel) {
    const struct {
        const char* operation;
        bool yieldNothing;
        unsigned fromCall;
        HRESULT expected; // S_OK: the start goes on without blocks
        std::size_t blocksLeft;
    } cases[] = {
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
        {"IHostMap.InfoPanel", true, 1, S_OK, 0},
        {"IHostMapInfo.Block", false, 1, E_UNEXPECTED, 0},
        {"IHostMapInfo.Block", true, 1, S_OK, 0},
        {"IHostLayerBlockList.Add", false, 5, E_UNEXPECTED, 4},
        {"IHostImageCollection.Image", false, 0, E_UNEXPECTED, 3}, // 0: the fourth block's image
    };
    // The blocks take their images last of all at the start, one each.
    zelt_.Faults().Watch("IHostImageCollection.Image");
    Start();
    const unsigned fourthBlockImage = zelt_.Faults().Calls("IHostImageCollection.Image") - 18 + 4;
    controller_.reset();
    zelt_.Stop();
    zelt_.Faults().Clear();
    for (auto c : cases) {
        if (c.fromCall == 0) c.fromCall = fourthBlockImage;
        SCOPED_TRACE(std::string(c.operation) + (c.yieldNothing ? " yields nothing" : " fails") +
                     " from call " + std::to_string(c.fromCall));
        if (c.yieldNothing)
            zelt_.Faults().YieldNothing(c.operation, c.fromCall);
        else
            zelt_.Faults().Fail(c.operation, E_UNEXPECTED, c.fromCall);
        try {
            Start();
            EXPECT_EQ(c.expected, S_OK) << "the start went through";
            EXPECT_TRUE(Blocks().empty());
            Note(kCafe, {2});
            zelt_.Cards().Open(kCafe); // no block to count into
            zelt_.Cards().CloseCurrent();
            controller_->RefreshLayerCaptions();
            controller_.reset();
        } catch (const zsys::ComError& e) {
            EXPECT_EQ(e.code(), c.expected);
        }
        zelt_.Faults().Clear();
        EXPECT_EQ(Blocks().size(), c.blocksLeft);
        // The blocks outlive the controller in the host; they no longer ask it anything.
        if (c.blocksLeft) {
            EXPECT_TRUE(Map().PanelOf(kMill12).filters.empty());
        }
        zelt_.Stop();
        EXPECT_EQ(zelt_.ForeignHostReferences(), 0);
    }
}
