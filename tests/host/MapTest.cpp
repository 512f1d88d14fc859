// The host's map: its layers, block list and information panel as a plug-in reaches
// them, and the shell's `map` and `panel` commands over the notes plug-in.
#include "host/objects/HostFrame.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/PluginHost.h"

#include <gtest/gtest.h>

using namespace ZeltCore;
using namespace hosttest;
using zsys::Bstr;
using zsys::ComPtr;

namespace {
class Map : public HostTest {
protected:
    ComPtr<IHostMap> MapOf() {
        ComPtr<IHostFrame> frame;
        EXPECT_EQ(zelt.View().Frame(frame.put()), S_OK);
        ComPtr<IHostMap> map;
        EXPECT_EQ(frame->Map(map.put()), S_OK);
        return map;
    }
};
} // namespace

TEST_F(Map, PluginsReachTheBuildingsLayerAndThePanelsCompaniesBlockByName) {
    const auto map = MapOf();
    ComPtr<IHostLayers> layers;
    ASSERT_EQ(map->Layers(layers.put()), S_OK);
    ComPtr<IUnknown> buildings, again, none;
    EXPECT_EQ(layers->Layer(Bstr(u"Zelt_Map_UMLRHOUS").get(), buildings.put()), S_OK);
    EXPECT_EQ(layers->Layer(Bstr(u"Zelt_Map_UMLRHOUS").get(), again.put()), S_OK);
    EXPECT_TRUE(buildings && buildings == again);
    EXPECT_EQ(layers->Layer(Bstr(u"Zelt_Map_Streets").get(), none.put()), S_FALSE);
    EXPECT_FALSE(none);

    ComPtr<IHostLayerBlockList> list;
    EXPECT_EQ(layers->BlockList(buildings.get(), list.put()), S_OK);
    ComPtr<IHostLayerBlockList> refused;
    const auto stranger = zsys::Make<FakePluginObject>();
    EXPECT_EQ(layers->BlockList(nullptr, refused.put()), E_INVALIDARG);
    EXPECT_EQ(layers->BlockList(stranger->Unknown(), refused.put()), E_INVALIDARG);
    EXPECT_EQ(list->Add(nullptr), E_INVALIDARG);
    EXPECT_EQ(list->Add(stranger->Unknown()), E_INVALIDARG) << "only a layer block joins the list";
    EXPECT_EQ(list->Remove(stranger->Unknown()), S_FALSE);
    EXPECT_TRUE(zelt.View().MainFrame().CityMap().Blocks().Entries().empty());

    ComPtr<IHostMapInfo> panel;
    ASSERT_EQ(map->InfoPanel(panel.put()), S_OK);
    ComPtr<IUnknown> companies;
    EXPECT_EQ(panel->Block(Bstr(u"Zelt.MapInfo.DirOrg").get(), companies.put()), S_OK);
    EXPECT_EQ(panel->Block(Bstr(u"Zelt.MapInfo.Streets").get(), none.put()), S_FALSE);
    EXPECT_FALSE(none);
}

// The shell over the notes plug-in: the blocks with their names, and a building's panel
// filtered by the notes read at start (the cards that count buildings in come with their
// own commands).
using MapShell = PluginHostTest;

TEST_F(MapShell, MapListsTheBlocksAndPanelFiltersTheBuildingsCompaniesByNoteCategory) {
    std::vector<std::string> names = DefaultCategoryNames();
    names[5] = "Fish & \"Chips\"";
    WriteNotes({{testford::kCafeStable, {"", {2}}}, {testford::kDentistStable, {"", {5, 2}}}}, names);
    Start();
    const std::string out = Run("map\npanel 400000001\npanel 400000003\npanel 5\npanel x\npanel\n");
    EXPECT_TRUE(out.starts_with("block NodesIcon0 \"red\":\nblock NodesIcon1 \"yellow\":\n")) << out;
    EXPECT_NE(out.find("block NodesIcon4 \"blue\":\nblock NodesIcon5 \"Fish & \\\"Chips\\\"\":\n"),
              std::string::npos);
    EXPECT_TRUE(out.ends_with(
        "block NodesIcon17 \"olive\":\n"
        "company 11 \"Café Lumière\"\n"
        "company 12 \"Mill Street Dental\"\n"
        "filter NodesIcon2 \"Companies in the note category &quot;green&quot;\": 11 12\n"
        "filter NodesIcon5 \"Companies in the note category &quot;Fish &amp; &quot;Chips&quot;&quot;\": 12\n"
        "company 11 \"Café Lumière\"\n"
        "filter NodesIcon2 \"Companies in the note category &quot;green&quot;\": 11\n"
        "error: panel: the city has no building 5\n"
        "error: panel takes a building id, not \"x\"\n"
        "error: usage: panel BUILDING\n" +
        kCleanAccounting))
        << out;
}
