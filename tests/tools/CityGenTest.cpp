// The cities the generator writes: the demo city the same every time and like a town,
// synthetic cities as promised, nothing after a failed write.
#include "host/CityDatabase.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tools/citygen/CityWriter.h"
#include "tools/citygen/DemoCity.h"
#include "tools/citygen/StableIdSequence.h"
#include "tools/citygen/SyntheticCity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

using host::CityDatabase;
using Type = host::CityDatabase::Type;
using namespace testsupport;

TEST(CityGen, DemoCity_IsTheSameFileEveryTimeAndATownOfSharedBuildings) {
    const std::string a = TempPath("Data_Riverton.dat"), b = TempPath("Data_Riverton.b.dat");
    citygen::WriteDemoCity(a);
    citygen::WriteDemoCity(b);
    EXPECT_TRUE(ReadFile(a) == ReadFile(b)) << "not the same file twice";

    CityDatabase db(a);
    const std::int32_t companies = std::int32_t(db.Count(Type::Company));
    EXPECT_GE(companies, 200);
    EXPECT_LE(companies, 500);
    std::set<std::size_t> branchCounts;
    std::map<std::int32_t, std::set<std::int32_t>> tenants; // of each building
    for (std::int32_t id = citygen::kFirstCompanyId; id < citygen::kFirstCompanyId + companies; ++id) {
        const auto company = db.Find(Type::Company, id).value();
        branchCounts.insert(company.branches.size());
        for (const std::int32_t branch : company.branches)
            if (const auto building = db.Find(Type::Branch, branch).value().building)
                tenants[*building].insert(id);
    }
    EXPECT_EQ(branchCounts, (std::set<std::size_t>{1, 2, 3, 4}));
    EXPECT_GE(
        std::count_if(tenants.begin(), tenants.end(), [](const auto& t) { return t.second.size() >= 3; }),
        long(tenants.size() / 2))
        << "most buildings house several companies";
}

TEST(CityGen, SyntheticCity_ResolvesEveryStableIdAndKeepsThemApartFromIds) {
    const std::string path = TempPath("Data_Synthetic.dat");
    citygen::WriteSyntheticCity(path, 3000);
    CityDatabase db(path);
    ASSERT_EQ(db.Count(Type::Company), 3000u);
    std::size_t negative = 0, withoutPremises = 0;
    for (std::int32_t id = 1; id <= 3000; ++id) {
        const auto company = db.Find(Type::Company, id).value();
        ASSERT_EQ(db.IdByStableId(Type::Company, company.stableId), id);
        ASSERT_TRUE(company.stableId < 0 || company.stableId >= citygen::kIdCeiling);
        negative += company.stableId < 0;
        for (const std::int32_t branch : company.branches)
            withoutPremises += !db.Find(Type::Branch, branch).value().building;
    }
    EXPECT_GT(negative, 0u);
    EXPECT_GT(withoutPremises, 0u);
}

TEST(CityGen, AFailedWriteLeavesNoCityBehind) {
    const std::string path = TempPath("Data_Broken.dat");
    {
        citygen::CityWriter w(path, "Broken");
        w.AddCompany(1, 100, "One", "cafe");
        w.AddBranch(10, 1000, 1, 1, std::nullopt);
        w.AddBranch(11, 1001, 1, 1, std::nullopt); // two first branches
        EXPECT_THROW(w.Commit(), std::runtime_error);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}
