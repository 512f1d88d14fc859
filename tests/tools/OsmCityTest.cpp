// Cities from OpenStreetMap extracts: what citygen makes of a small hand-made town, read
// back through the host's city reader; stable ids that outlive a newer extract and a
// collision rule that holds under a hash of four values; bad extracts refused.
#include "host/CityDatabase.h"
#include "host/Utf.h"
#include "host/web/MapPlan.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProcessRun.h"
#include "tests/support/TempFolder.h"
#include "tools/citygen/OsmCity.h"
#include "tools/citygen/OsmStableIds.h"

#include <gtest/gtest.h>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/xml_input.hpp>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using host::CityDatabase;
using Type = host::CityDatabase::Type;
using namespace testsupport;

namespace {
struct Element {
    const char* id;
    std::string xml;
};

std::string Node(int id, const char* lon, const char* lat, const std::string& tags = "") {
    return "<node id=\"" + std::to_string(id) + "\" lon=\"" + lon + "\" lat=\"" + lat + "\">" + tags + "</node>";
}
std::string Tag(const char* k, const char* v) {
    return std::string("<tag k=\"") + k + "\" v=\"" + v + "\"/>";
}
std::string Way(int id, std::vector<int> nodes, const std::string& tags) {
    std::string xml = "<way id=\"" + std::to_string(id) + "\">";
    for (const int n : nodes)
        xml += "<nd ref=\"" + std::to_string(n) + "\"/>";
    return xml + tags + "</way>";
}
// A square way of four corner nodes numbered from `firstNode`, lon and lat from 10.00xx, 50.00yy.
std::vector<Element> Square(const char* id, int way, int firstNode, int x0, int y0, int x1, int y1,
                            const std::string& tags) {
    auto lon = [](int v) { return "10.00" + std::string(v < 10 ? "0" : "") + std::to_string(v); };
    auto lat = [](int v) { return "50.00" + std::string(v < 10 ? "0" : "") + std::to_string(v); };
    std::vector<Element> out;
    const int xs[] = {x0, x1, x1, x0}, ys[] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i)
        out.push_back({id, Node(firstNode + i, lon(xs[i]).c_str(), lat(ys[i]).c_str())});
    out.push_back({id, Way(way, {firstNode, firstNode + 1, firstNode + 2, firstNode + 3, firstNode}, tags)});
    return out;
}

// The town: a building on Mill Street, a courtyard building made of a relation, a hotel
// that is its own building, a bakery and a chain's branch in the first, the chain's other
// branch in the second, an office in its courtyard, a café in the open, and things that
// are no business.
std::string TownXml(const std::set<std::string>& leaveOut = {}) {
    std::vector<Element> all;
    auto add = [&](std::vector<Element> more) { all.insert(all.end(), more.begin(), more.end()); };
    add(Square("w10", 10, 1, 0, 0, 10, 10, Tag("building", "yes") + Tag("addr:street", "Mill Street") +
                                               Tag("addr:housenumber", "12")));
    add(Square("r30", 31, 11, 20, 0, 30, 10, ""));
    add(Square("r30", 32, 15, 24, 4, 26, 6, ""));
    all.push_back({"r30", "<relation id=\"30\"><member type=\"way\" ref=\"31\" role=\"outer\"/>"
                          "<member type=\"way\" ref=\"32\" role=\"inner\"/>" +
                              Tag("type", "multipolygon") + Tag("building", "yes") + Tag("addr:street", "Dock Lane") +
                              Tag("addr:housenumber", "3") + "</relation>"});
    add(Square("w40", 40, 41, 40, 0, 50, 10, Tag("building", "hotel") + Tag("tourism", "hotel") +
                                                 Tag("name", "Grand Hotel") + Tag("addr:street", "Station Road") +
                                                 Tag("addr:housenumber", "1")));
    const std::string chain = Tag("shop", "supermarket") + Tag("brand", "Quick Mart") + Tag("brand:wikidata", "Q1");
    all.push_back({"n5", Node(5, "10.0005", "50.0005", Tag("shop", "bakery") + Tag("name", "Anna's Bakery"))});
    all.push_back({"n20", Node(20, "10.0002", "50.0002", chain + Tag("name", "Quick Mart Mill"))});
    all.push_back({"n21", Node(21, "10.0021", "50.0001", chain + Tag("name", "Quick Mart Dock"))});
    all.push_back({"n22", Node(22, "10.0025", "50.0005", Tag("office", "lawyer") + Tag("name", "Courtyard Law"))});
    all.push_back({"n6", Node(6, "10.0100", "50.0100", Tag("amenity", "cafe") + Tag("name", "Lone Cafe") +
                                                           Tag("addr:street", "Far Road") +
                                                           Tag("addr:housenumber", "9"))});
    const char* notBusinesses[][2] = {{"amenity", "bench"}, {"amenity", "parking"}, {"tourism", "viewpoint"},
                                      {"shop", "vacant"},   {"amenity", "toilets"}, {"leisure", "park"}};
    int id = 70;
    for (const auto& [k, v] : notBusinesses)
        all.push_back({"none", Node(id++, "10.0003", "50.0003", Tag(k, v) + Tag("name", "Nothing"))});
    all.push_back({"none", Node(id++, "10.0003", "50.0003", Tag("shop", "florist"))}); // no name
    all.push_back({"street", Way(60, {1, 2}, Tag("highway", "residential") + Tag("name", "Mill Street"))});

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n";
    for (const auto& kind : {"<node", "<way", "<relation"}) // nodes, ways, relations: the file's order
        for (const auto& e : all)
            if (!leaveOut.count(e.id) && e.xml.starts_with(kind)) xml += e.xml + "\n";
    return xml + "</osm>\n";
}

std::string Import(const std::string& name, const std::string& xml) {
    const std::string osm = TempPath(name + ".osm"), city = TempPath("Data_" + name + ".dat");
    WriteFile(osm, xml);
    citygen::WriteOsmCity(osm, city, name);
    return city;
}

// Each company's kind and its branches' addresses, by name.
std::map<std::string, std::pair<std::string, std::vector<std::string>>> Companies(CityDatabase& db) {
    std::map<std::string, std::pair<std::string, std::vector<std::string>>> out;
    for (const std::int32_t id : db.CompanyIds()) {
        const auto company = db.Find(Type::Company, id).value();
        auto& [kind, addresses] = out[host::Utf8(company.name)];
        kind = host::Utf8(company.kind);
        for (const std::int32_t branch : company.branches)
            addresses.push_back(host::Utf8(db.Find(Type::Building, db.Find(Type::Branch, branch)->building.value())->name));
    }
    return out;
}

// The stable ids of the companies by name and of the addressed buildings by address.
std::map<std::string, std::int32_t> StableIds(CityDatabase& db) {
    std::map<std::string, std::int32_t> out;
    for (const std::int32_t id : db.CompanyIds())
        out["company " + host::Utf8(db.Find(Type::Company, id)->name)] = db.Find(Type::Company, id)->stableId;
    for (const std::int32_t id : db.FirstIds(Type::Building, 100))
        if (const auto b = db.Find(Type::Building, id).value(); !b.name.empty())
            out["building " + host::Utf8(b.name)] = b.stableId;
    return out;
}

std::string Query(const std::string& city, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(city.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::string out;
    sqlite3_exec(db, sql.c_str(), [](void* o, int n, char** values, char**) {
        for (int i = 0; i < n; ++i)
            *static_cast<std::string*>(o) += std::string(i ? " " : "") + (values[i] ? values[i] : "NULL");
        return 0;
    }, &out, nullptr);
    sqlite3_close(db);
    return out;
}
} // namespace

TEST(OsmCity, Import_PlacesEachBusinessInItsBuildingAndMapsBuildingsAndStreets) {
    const std::string city = Import("Town", TownXml());
    CityDatabase db(city);
    using Expected = std::pair<std::string, std::vector<std::string>>;
    EXPECT_EQ(Companies(db), (std::map<std::string, Expected>{
                                 {"Anna's Bakery", {"bakery", {"12 Mill Street"}}},
                                 {"Courtyard Law", {"lawyer", {""}}}, // in the courtyard: a building of its own
                                 {"Grand Hotel", {"hotel", {"1 Station Road"}}},
                                 {"Lone Cafe", {"cafe", {"9 Far Road"}}},
                                 {"Quick Mart", {"supermarket", {"12 Mill Street", "3 Dock Lane"}}},
                             }));
    EXPECT_EQ(db.Count(Type::Street), 4u);
    EXPECT_EQ(Query(city, "SELECT value FROM city WHERE key = 'attribution'"),
              "© OpenStreetMap contributors, ODbL 1.0");
    // The Mill Street building's middle, and its ring of five points after their count.
    EXPECT_EQ(Query(city, "SELECT lon, lat, length(outline) FROM building_places JOIN buildings b ON b.id = "
                          "building_id WHERE b.number = '12'"),
              "100005000 500005000 44");

    // The map's plan has the buildings and streets at their places.
    const auto geo = host::web::PlanJson(db, 100).at("geo");
    EXPECT_EQ(geo.at("attribution"), "© OpenStreetMap contributors, ODbL 1.0");
    std::map<std::string, nlohmann::json> byAddress;
    for (const auto& b : geo.at("buildings"))
        byAddress[host::Utf8(db.Find(Type::Building, b.at("id"))->name)] = b;
    // 0.001 degree of longitude is 746 pixels at zoom 20; the map's corner is the town's north-west.
    const auto mill = byAddress.at("12 Mill Street").at("rings").at(0);
    ASSERT_EQ(mill.size(), 10u);
    EXPECT_EQ(mill[2].get<long>() - mill[0].get<long>(), 746);
    EXPECT_EQ(mill[0], 0);
    EXPECT_EQ(byAddress.at("1 Station Road").at("rings").at(0)[0], 2983); // 0.004 degree east
    EXPECT_LT(mill[5], mill[1]) << "north is up";
    EXPECT_EQ(byAddress.at("3 Dock Lane").at("rings").size(), 2u) << "the courtyard";
    EXPECT_TRUE(byAddress.at("9 Far Road").at("rings").empty()) << "a point only";
    ASSERT_EQ(geo.at("streets").size(), 1u);
    EXPECT_EQ(geo.at("streets")[0].at("name"), "Mill Street");
    EXPECT_EQ(geo.at("streets")[0].at("lines")[0].size(), 4u);
}

TEST(OsmCity, StableIds_StayWithEveryObjectANewerExtractStillHas) {
    CityDatabase full(Import("Full", TownXml()));
    CityDatabase fewer(Import("Fewer", TownXml({"n5", "n20", "r30"})));
    const auto before = StableIds(full), after = StableIds(fewer);
    ASSERT_EQ(after.size(), 7u); // four companies, three addressed buildings
    for (const auto& [what, stableId] : after)
        EXPECT_EQ(before.at(what), stableId) << what;
}

TEST(OsmCity, StableIds_CollisionsGoToTheLowerKeyWhateverTheOrder) {
    // Four values, all negative; the key 1 has only values inside the range of ids.
    const citygen::StableHash tiny = [](std::uint64_t key, std::uint32_t attempt) {
        return key == 1 ? 42u : static_cast<std::uint32_t>(-1 - static_cast<std::int64_t>((key + attempt) % 4));
    };
    // 3 takes -4; 5 takes -2; 7 wants -4, then gets -1; 11 wants -4, -1, -2, then gets -3.
    EXPECT_EQ(citygen::AssignStableIds({7, 3, 11, 5}, tiny), (std::vector<std::int32_t>{-1, -4, -3, -2}));
    EXPECT_EQ(citygen::AssignStableIds({5, 3, 7}, tiny), (std::vector<std::int32_t>{-2, -4, -1}));
    EXPECT_THROW(citygen::AssignStableIds({3, 5, 7, 11, 13}, tiny), std::runtime_error);
    EXPECT_THROW(citygen::AssignStableIds({1}, tiny), std::runtime_error);
}

TEST(OsmCity, BadExtracts_AreRefusedWithAMessageAndTheCityFileKept) {
    const std::string pbf = TempPath("town.osm.pbf");
    {
        WriteFile(TempPath("town.osm"), TownXml());
        osmium::io::Reader reader{TempPath("town.osm")};
        osmium::io::Writer writer{pbf, osmium::io::overwrite::allow};
        while (auto buffer = reader.read())
            writer(std::move(buffer));
        writer.close();
        reader.close();
    }
    const std::string bytes = ReadFile(pbf);
    WriteFile(TempPath("half.osm.pbf"), bytes.substr(0, bytes.size() / 2));
    WriteFile(TempPath("words.osm"), "just some words, no map at all\n");
    WriteFile(TempPath("empty.osm"), TownXml({"n5", "n6", "n20", "n21", "n22", "w40"}));
    WriteFile(TempPath("town.txt"), TownXml());
    const struct {
        const char* file;
        int exitCode;
        const char* message;
    } cases[] = {
        {"town.osm.pbf", 0, ""},
        {"half.osm.pbf", 1, "half.osm.pbf is not a readable OpenStreetMap file"},
        {"words.osm", 1, "words.osm is not a readable OpenStreetMap file"},
        {"empty.osm", 1, "empty.osm holds no named business or service"},
        {"town.txt", 1, "the name ends in none of .osm, .osm.pbf"},
        {"nowhere.osm", 1, "nowhere.osm: no such file"},
    };
    for (const auto& c : cases) {
        const std::string city = TempPath("Data_Kept.dat");
        WriteFile(city, "the city as it was");
        int exitCode = -1;
        const std::string output = RunProcess(std::string(VESK_CITYGEN_PATH) + " osm '" + TempPath(c.file) + "' '" +
                                                  city + "'",
                                              "", &exitCode);
        EXPECT_EQ(exitCode, c.exitCode) << c.file << ": " << output;
        EXPECT_NE(output.find(c.message), std::string::npos) << c.file << ": " << output;
        if (c.exitCode == 0)
            EXPECT_EQ(CityDatabase(city).Count(Type::Company), 5u) << c.file;
        else
            EXPECT_EQ(ReadFile(city), "the city as it was") << c.file;
        EXPECT_FALSE(std::filesystem::exists(city + ".part")) << c.file;
    }
}
