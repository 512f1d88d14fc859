// The plug-in as the host sees it: loaded from its library, described, started and
// stopped, with every object accounted for.
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "platform/system/Language.h"
#include "tests/support/PluginHost.h"
#include "tests/support/ProcessRun.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <set>
#include <sstream>

using namespace testsupport;

TEST(PluginEntry, LibraryExportsOnlyTheFactory) {
    std::istringstream symbols(RunProcess(std::string("nm -D --defined-only ") + VESK_PLUGIN_PATH));
    std::set<std::string> names;
    for (std::string line; std::getline(symbols, line);)
        names.insert(line.substr(line.rfind(' ') + 1));
    EXPECT_EQ(names, std::set<std::string>{"CreateZeltPlugin"});
}

TEST(PluginEntry, DescriptionIsWellFormedAndDiffersPerLanguage) {
    std::map<int, std::string> descriptions;
    for (int id : {1049, 1033, 1058, 1029, 1040, 3082, 2057}) {
        int status = -1;
        const std::string xml = RunZeltHost("--lang " + std::to_string(id) + " info", "", &status);
        ASSERT_EQ(status, 0) << id;
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(xml.c_str())) << xml;
        const pugi::xml_node root = doc.child("zelt_plugin_info");
        for (const auto& child : root.children())
            EXPECT_FALSE(std::string(child.text().get()).empty()) << xml;
        EXPECT_EQ(std::distance(root.children().begin(), root.children().end()), 3) << xml;
        descriptions[id] = xml;
    }
    std::set<std::string> distinct;
    for (int id : {1049, 1033, 1058, 1029, 1040, 3082})
        distinct.insert(descriptions[id]);
    EXPECT_EQ(distinct.size(), 6u);
    EXPECT_EQ(descriptions[2057], descriptions[1049])
        << "English of the United Kingdom gets the Russian texts";
    EXPECT_NE(descriptions[1033].find("<name>Notes</name>"), std::string::npos);
}

// Loaded anew after a stop, the library makes its once-per-process texts again, in the
// language of its new start; nothing of the first run is left, nor of the second once the
// library is released while the plug-in runs.
TEST(PluginEntry, LoadedAgainInAnotherLanguage_ItsOncePerProcessTextsFollowAndReleasedItLetsGo) {
    const TempFolder appData("plugin_reload");
    host::ZeltHost zelt({VESK_PLUGIN_PATH, 1033, "", appData.Path().string()});
    const auto group = [&] {
        const auto& groups = zelt.View().MainFrame().SearchTab().Groups();
        return groups.empty() ? std::u16string() : groups[0]->Caption() + u"|" + groups[0]->Description();
    };
    zelt.Load();
    ASSERT_EQ(zelt.Start(), S_OK);
    const std::u16string english = group();
    ASSERT_EQ(zelt.Stop(), S_OK);

    SetThreadUILanguage(1049);
    zelt.Load();
    ASSERT_EQ(zelt.Start(), S_OK);
    const std::u16string russian = group();
    SetThreadUILanguage(0);
    zelt.Library()->Release();
    // The search tab holds the plug-in's controls and settings button until the host drops
    // its groups, as it does when it unloads a plug-in.
    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_EQ(zelt.PluginObjects(), 0);
    EXPECT_EQ(zelt.ForeignHostReferences(), 0);
    EXPECT_TRUE(english.starts_with(u"Notes|")) << host::Utf8(english);
    EXPECT_FALSE(russian.empty() || russian.starts_with(u"Notes")) << host::Utf8(russian);
}

TEST(PluginEntry, MissingLibraryIsAClearError) {
    host::ZeltHost zelt({"/nonexistent/libVeskNotes.so", 1033});
    EXPECT_THROW(zelt.Load(), host::PluginError);
}
