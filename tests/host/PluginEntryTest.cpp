// The plug-in as the host sees it: loaded from its library, described, started and
// stopped, with every object accounted for.
#include "host/HostSearchTab.h"
#include "host/ZeltHost.h"
#include "tests/support/ProcessRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <set>
#include <string>

namespace {
std::string RunCommand(const std::string& command, int* status = nullptr) {
    return testsupport::RunProcess(command, "", status);
}

// An application-data folder of the test's own, so that no run writes into the user's.
std::string AppData() {
    static const testsupport::TempFolder folder("plugin_entry");
    return folder.Path().string();
}

host::ZeltHost::Options Options(LANGID language = 1033) {
    return {VESK_PLUGIN_PATH, language, "", AppData()};
}
} // namespace

TEST(PluginEntry, LibraryExportsOnlyTheFactory) {
    const std::string symbols = RunCommand(std::string("nm -D --defined-only ") + VESK_PLUGIN_PATH);
    ASSERT_FALSE(symbols.empty());
    std::set<std::string> names;
    std::size_t start = 0;
    while (start < symbols.size()) {
        const std::size_t end = symbols.find('\n', start);
        const std::string line = symbols.substr(start, end - start);
        if (!line.empty()) names.insert(line.substr(line.rfind(' ') + 1));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    EXPECT_EQ(names, std::set<std::string>{"CreateZeltPlugin"});
}

TEST(PluginEntry, DescriptionIsWellFormedAndDiffersPerLanguage) {
    std::map<int, std::string> descriptions;
    for (int id : {1049, 1033, 1058, 1029, 1040, 3082, 2057}) {
        int status = -1;
        const std::string xml =
            RunCommand(std::string(VESK_HOST_PATH) + " --lang " + std::to_string(id) + " info", &status);
        ASSERT_EQ(status, 0) << id;
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(xml.c_str())) << xml;
        const pugi::xml_node root = doc.child("zelt_plugin_info");
        ASSERT_TRUE(root) << xml;
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

TEST(PluginEntry, ReleasingARunningPluginLetsGoOfTheHostObjects) {
    host::ZeltHost zelt(Options());
    zelt.Load();
    ASSERT_EQ(zelt.Start(), S_OK);
    zelt.Library()->Release();
    // What the plug-in handed the host (the settings button in its group) goes when the
    // host drops it, as it does when it unloads a plug-in.
    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_EQ(zelt.PluginObjects(), 0);
    EXPECT_EQ(zelt.ForeignHostReferences(), 0);
}

TEST(PluginEntry, MissingLibraryIsAClearError) {
    host::ZeltHost zelt({"/nonexistent/libVeskNotes.so", 1033});
    EXPECT_THROW(zelt.Load(), host::PluginError);
}
