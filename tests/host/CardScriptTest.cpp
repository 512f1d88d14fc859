// A person's session with the zelt-host command on the demo city, its commands piped in:
// a note added through the dialog and two categories toggled on a company's card, the map
// following the card all the while, and the next start showing the note again.
#include "host/ZeltHost.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace hosttest;

namespace {
const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

// The blocks that mark any building, for each `map` in the output, in order.
std::vector<std::vector<std::string>> MarkedBlocks(const std::string& out) {
    std::vector<std::vector<std::string>> maps;
    std::istringstream lines(out);
    bool inMap = false;
    for (std::string line; std::getline(lines, line);) {
        const bool block = line.starts_with("block ");
        if (block && !inMap) maps.emplace_back();
        inMap = block;
        if (block && !line.ends_with(":")) maps.back().push_back(line);
    }
    return maps;
}

struct Company {
    std::int32_t id = 0, stableId = 0;
    std::string buildings; // its buildings as `map` lists them
};

// The demo city's first company and the buildings of its branches.
Company FirstCompany() {
    host::CityDatabase city(host::ZeltHost::DemoCityPath());
    const auto company = city.Find(host::CityDatabase::Type::Company,
                                   city.FirstIds(host::CityDatabase::Type::Company, 1).at(0));
    std::vector<std::int32_t> buildings;
    for (const std::int32_t branch : company->branches)
        if (const auto building = city.Find(host::CityDatabase::Type::Branch, branch)->building)
            buildings.push_back(*building);
    std::sort(buildings.begin(), buildings.end());
    buildings.erase(std::unique(buildings.begin(), buildings.end()), buildings.end());
    std::string listed;
    for (const std::int32_t b : buildings)
        listed += " " + std::to_string(b);
    return {company->id, company->stableId, listed};
}
} // namespace

TEST(CardScript, ANoteAddedThroughTheDialogReachesTheFileTheMapAndTheNextStart) {
    const Company company = FirstCompany();
    ASSERT_FALSE(company.buildings.empty()) << "a company the map can show";
    const std::string appData = TempPath("card_script");
    std::filesystem::remove_all(appData); // a first start: no notes yet
    const std::string arguments =
        "--lang 1033 --city " + host::ZeltHost::DemoCityPath() + " --appdata " + appData;
    const std::string open = "open " + std::to_string(company.id) + "\n";
    const std::string lightBlue = "block NodesIcon3 \"light blue\":" + company.buildings,
                      violet = "block NodesIcon5 \"violet\":" + company.buildings;

    int exitCode = -1;
    std::string out = RunHost(arguments,
                              open + "map\nclick addNode\nset 119 Ask for Ann\\r\\nat the desk\npress 1\n"
                                     "click addCategory3\nclick addCategory5\nmap\nclose\nmap\nquit\n",
                              &exitCode);
    EXPECT_EQ(exitCode, 0) << out;
    EXPECT_NE(out.find("control 119 edit \"\"\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("error:"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
    EXPECT_EQ(MarkedBlocks(out), (std::vector<std::vector<std::string>>{{}, {lightBlue, violet}, {}}));

    pugi::xml_document doc;
    const std::string notesFile = appData + "/Zelt/DirNotes/Data_Riverton.xml";
    ASSERT_TRUE(doc.load_file(notesFile.c_str()));
    const pugi::xml_node note = doc.child("DirectoryNotes").child("Note");
    EXPECT_EQ(note.child("id").text().as_int(), company.stableId);
    EXPECT_STREQ(note.child("comment").child_value("text"), "Ask for Ann\nat the desk");
    EXPECT_EQ(note.child("marker").first_child().text().as_int(), 3);
    EXPECT_EQ(note.child("marker").last_child().text().as_int(), 5);
    EXPECT_FALSE(note.next_sibling("Note")) << "one note";

    // The next start: the card shows the note, the map its categories until the card closes
    // or they are deleted.
    out = RunHost(arguments,
                  open + "map\nclick addCategory3\nmap\nclose\nmap\n" + open + "click deleteCategory\nmap\n",
                  &exitCode);
    EXPECT_EQ(exitCode, 0) << out;
    EXPECT_NE(out.find("note: \"<p style=\\\"margin-left:5px; margin-top:5px; margin-right:5px; "
                       "margin-bottom:5px; \\\"><strong>Ask for Ann<br/>at the desk</strong></p>\"\n"
                       "marks: \"<a href= \\\"MYUNIQUETAG3\\\">"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("button addNode caption=\"Edit note\""), std::string::npos) << out;
    EXPECT_EQ(MarkedBlocks(out),
              (std::vector<std::vector<std::string>>{{lightBlue, violet}, {violet}, {}, {}}));
    EXPECT_EQ(out.find("error:"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
    ASSERT_TRUE(doc.load_file(notesFile.c_str()));
    EXPECT_STREQ(doc.child("DirectoryNotes").child("Note").child("comment").child_value("text"),
                 "Ask for Ann\nat the desk");
    EXPECT_FALSE(doc.child("DirectoryNotes").child("Note").child("marker").child("color"));
}
