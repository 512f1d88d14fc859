// A person's session with the zelt-host command on the demo city, its commands piped in:
// a note added through the dialog and two categories toggled on a company's card, the map
// following the card all the while, and the next start showing the note again.
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "tests/support/PluginHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace testsupport;

namespace {
using CardScript = PluginHostTest;

// The demo city's first company, and the buildings of its branches as `map` lists them.
std::pair<host::CityDatabase::Object, std::string> FirstCompany() {
    using Type = host::CityDatabase::Type;
    host::CityDatabase city(host::ZeltHost::DemoCityPath());
    const auto company = city.Find(Type::Company, city.FirstIds(Type::Company, 1).at(0)).value();
    std::vector<std::int32_t> buildings;
    for (const std::int32_t branch : company.branches)
        if (const auto building = city.Find(Type::Branch, branch)->building) buildings.push_back(*building);
    std::sort(buildings.begin(), buildings.end());
    buildings.erase(std::unique(buildings.begin(), buildings.end()), buildings.end());
    std::string listed;
    for (const std::int32_t b : buildings)
        listed += " " + std::to_string(b);
    return {company, listed};
}
} // namespace

TEST_F(CardScript, ANoteAddedThroughTheDialogReachesTheFileTheMapAndTheNextStart) {
    const auto [company, buildings] = FirstCompany();
    ASSERT_FALSE(buildings.empty()) << "a company the map can show";
    const std::string city = "--city " + host::ZeltHost::DemoCityPath();
    const std::string open = "open " + std::to_string(company.id) + "\n";
    const std::string lightBlue = "block NodesIcon3 \"light blue\":" + buildings,
                      violet = "block NodesIcon5 \"violet\":" + buildings;

    int exitCode = -1;
    std::string out = RunHost(city,
                              open + "map\nclick addNode\nset 119 Ask for Ann\\r\\nat the desk\npress 1\n"
                                     "click addCategory3\nclick addCategory5\nmap\nclose\nmap\nquit\n",
                              &exitCode);
    EXPECT_EQ(exitCode, 0) << out;
    EXPECT_NE(out.find("\nstarted: yes\n"), std::string::npos) << out;
    EXPECT_NE(out.find("control 119 edit \"\"\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("error:"), std::string::npos) << out;
    EXPECT_EQ(out.find("\n> "), std::string::npos) << "no prompt when the input is not a terminal";
    EXPECT_EQ(MarkedBlocks(out), (std::vector<std::vector<std::string>>{{}, {lightBlue, violet}, {}}));
    const FileNotes noted{{company.stableId, {"Ask for Ann\nat the desk", {3, 5}}}};
    EXPECT_EQ(Written("Riverton").notes, noted);

    // The next start: the card shows the note, the map its categories until the card closes
    // or they are deleted.
    out = RunHost(city,
                  open + "map\nclick addCategory3\nmap\nclose\nmap\n" + open + "click deleteCategory\nmap\n",
                  &exitCode);
    EXPECT_EQ(exitCode, 0) << out;
    // The note, its marks and the edit button, as the card shows them.
    const std::string card = CardText(company.id, host::Utf8(company.name), noted.begin()->second);
    const std::size_t from = card.find("\nnote:"), to = card.find("button deleteCategory");
    EXPECT_NE(out.find(card.substr(from, to - from)), std::string::npos) << out;
    EXPECT_EQ(MarkedBlocks(out),
              (std::vector<std::vector<std::string>>{{lightBlue, violet}, {violet}, {}, {}}));
    EXPECT_EQ(out.find("error:"), std::string::npos) << out;
    EXPECT_EQ(Written("Riverton").notes, (FileNotes{{company.stableId, {"Ask for Ann\nat the desk", {}}}}));
}
