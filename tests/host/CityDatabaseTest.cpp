// The city file as the host reads it: names, stable-id look-ups, branches in order and
// the files it refuses.
#include "host/CityDatabase.h"
#include "host/StableIdIndex.h"
#include "tests/host/HostTestSupport.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <climits>
#include <filesystem>
#include <fstream>

using host::CityDatabase;
using host::CityError;
using Type = host::CityDatabase::Type;
namespace city = hosttest::city;

TEST(CityDatabase, Open_ReadsTheDisplayNameAndTheAbsolutePath) {
    CityDatabase db(hosttest::TestCityPath());
    EXPECT_EQ(db.Name(), u"Testford");
    EXPECT_TRUE(std::filesystem::path(db.Path()).is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(db.Path(), hosttest::TestCityPath()));
    EXPECT_EQ(db.Count(Type::Company), 5u);
    EXPECT_EQ(db.Count(Type::Branch), 6u);
    EXPECT_EQ(db.Count(Type::Building), 3u);
    EXPECT_EQ(db.Count(Type::Street), 2u);
}

TEST(CityDatabase, IdByStableId_FindsCompaniesByStableIdNeverById) {
    CityDatabase db(hosttest::TestCityPath());
    EXPECT_EQ(db.IdByStableId(Type::Company, city::kCafeStable), city::kCafe);
    EXPECT_EQ(db.IdByStableId(Type::Company, city::kDentistStable), city::kDentist);
    EXPECT_EQ(db.IdByStableId(Type::Company, INT32_MIN), city::kEdge);
    // 11 is the café's id and the taxi firm's stable id: only the latter counts.
    EXPECT_EQ(db.IdByStableId(Type::Company, 11), city::kTaxis);
    EXPECT_EQ(db.IdByStableId(Type::Company, city::kDentist), std::nullopt);
    EXPECT_EQ(db.IdByStableId(Type::Company, 0), std::nullopt);
    EXPECT_EQ(db.IdByStableId(Type::Company, city::kCafeBranch1Stable), std::nullopt)
        << "a branch, not a company";
    EXPECT_EQ(db.IdByStableId(Type::Branch, city::kCafeBranch1Stable), city::kCafeBranch1);
    EXPECT_EQ(db.IdByStableId(Type::Building, city::kMill14AStable), city::kMill14A);
    EXPECT_EQ(db.IdByStableId(Type::Street, city::kMillStreetStable), city::kMillStreet);
}

TEST(CityDatabase, Find_CompanyHasItsBranchesInPositionOrderAndItsMainAddress) {
    CityDatabase db(hosttest::TestCityPath());
    const auto cafe = db.Find(Type::Company, city::kCafe);
    ASSERT_TRUE(cafe);
    EXPECT_EQ(cafe->stableId, city::kCafeStable);
    EXPECT_EQ(cafe->name, u"Caf\u00e9 Lumi\u00e8re");
    EXPECT_EQ(cafe->kind, u"cafe");
    EXPECT_EQ(cafe->branches,
              (std::vector<std::int32_t>{city::kCafeBranch1, city::kCafeBranch2, city::kCafeBranch3}));
    EXPECT_EQ(cafe->building, city::kMill12);

    const auto edge = db.Find(Type::Company, city::kEdge);
    ASSERT_TRUE(edge);
    EXPECT_TRUE(edge->branches.empty());
    EXPECT_EQ(edge->building, std::nullopt);
    EXPECT_EQ(db.Find(Type::Company, 999), std::nullopt);
}

TEST(CityDatabase, Find_BranchesAndBuildingsKnowWhatTheyBelongTo) {
    CityDatabase db(hosttest::TestCityPath());
    const auto branch = db.Find(Type::Branch, city::kCafeBranch2);
    ASSERT_TRUE(branch);
    EXPECT_EQ(branch->parent, city::kCafe);
    EXPECT_EQ(branch->building, city::kMill14A);
    EXPECT_EQ(branch->name, u"Caf\u00e9 Lumi\u00e8re");

    const auto taxi = db.Find(Type::Branch, city::kTaxiBranch);
    ASSERT_TRUE(taxi);
    EXPECT_EQ(taxi->building, std::nullopt) << "a branch without premises";

    const auto ghost = db.Find(Type::Company, city::kGhost);
    ASSERT_TRUE(ghost);
    EXPECT_EQ(ghost->branches.size(), 1u);
    EXPECT_EQ(ghost->building, std::nullopt) << "a building the city lacks is no address";

    const auto building = db.Find(Type::Building, city::kMill14A);
    ASSERT_TRUE(building);
    EXPECT_EQ(building->name, u"14A Mill Street");
    EXPECT_EQ(building->parent, city::kMillStreet);
    const auto street = db.Find(Type::Street, city::kMillStreet);
    ASSERT_TRUE(street);
    EXPECT_EQ(street->name, u"Mill Street");
}

TEST(CityDatabase, Open_RefusesFilesThatAreNoCity) {
    EXPECT_THROW(CityDatabase(hosttest::TempPath("Data_Nowhere.dat")), CityError);

    const std::string garbage = hosttest::TempPath("Data_Garbage.dat");
    std::ofstream(garbage) << "this is not a database, just some words that go on for a while";
    EXPECT_THROW(CityDatabase{garbage}, CityError);

    const std::string foreign = hosttest::TempPath("Data_Foreign.dat");
    std::filesystem::remove(foreign);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE notes (x); INSERT INTO notes VALUES (1);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_THROW(CityDatabase{foreign}, CityError);

    const std::string future = hosttest::TempPath("Data_Future.dat");
    std::filesystem::copy_file(hosttest::TestCityPath(), future,
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(sqlite3_open(future.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "UPDATE city SET value = '2' WHERE key = 'format'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_THROW(CityDatabase{future}, CityError);
}

TEST(CityDatabase, Open_RefusesTwoCompaniesWithOneStableId) {
    const std::string path = hosttest::TempPath("Data_Twins.dat");
    citygen::CityWriter w(path, "Twins");
    w.AddCompany(1, 77, "First", "cafe");
    w.AddCompany(2, 77, "Second", "cafe");
    w.Commit();
    EXPECT_THROW(CityDatabase{path}, CityError);
}

TEST(StableIdIndex, KeepsEveryEntryAcrossGrowthIncludingTheExtremes) {
    host::StableIdIndex index(4);
    for (std::int32_t i = 0; i < 5000; ++i)
        ASSERT_TRUE(index.Insert(i * 7919 - 20'000'000, i));
    ASSERT_TRUE(index.Insert(INT32_MIN, -1));
    ASSERT_TRUE(index.Insert(INT32_MAX, -2));
    EXPECT_EQ(index.Size(), 5002u);
    for (std::int32_t i = 0; i < 5000; ++i)
        ASSERT_EQ(index.Find(i * 7919 - 20'000'000), i);
    EXPECT_EQ(index.Find(INT32_MIN), -1);
    EXPECT_EQ(index.Find(INT32_MAX), -2);
    EXPECT_EQ(index.Find(1), std::nullopt);
}

TEST(StableIdIndex, RefusesASecondEntryForAStableIdAndKeepsTheFirst) {
    host::StableIdIndex index;
    EXPECT_TRUE(index.Insert(5, 50));
    EXPECT_FALSE(index.Insert(5, 51));
    EXPECT_TRUE(index.Insert(INT32_MIN, 1));
    EXPECT_FALSE(index.Insert(INT32_MIN, 2));
    EXPECT_EQ(index.Find(5), 50);
    EXPECT_EQ(index.Find(INT32_MIN), 1);
    EXPECT_EQ(index.Size(), 2u);
}

TEST(StableIdIndex, AMillionCompaniesTakeSixteenMebibytes) {
    EXPECT_LE(host::StableIdIndex(1'000'000).MemoryUsage(), std::size_t{16} << 20);
}
