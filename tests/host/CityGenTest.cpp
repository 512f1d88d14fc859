// The cities the generator writes: the demo city is the same every time and looks like
// a town; synthetic cities hold what they promise.
#include "host/CityDatabase.h"
#include "tests/host/HostTestSupport.h"
#include "tools/citygen/CityWriter.h"
#include "tools/citygen/DemoCity.h"
#include "tools/citygen/StableIdSequence.h"
#include "tools/citygen/SyntheticCity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

using host::CityDatabase;
using Type = host::CityDatabase::Type;

namespace {
std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST(CityGen, DemoCity_IsTheSameFileEveryTime) {
    const std::string a = hosttest::TempPath("Data_Riverton.a.dat"),
                      b = hosttest::TempPath("Data_Riverton.b.dat");
    citygen::WriteDemoCity(a);
    citygen::WriteDemoCity(b);
    const std::string bytes = Contents(a);
    EXPECT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == Contents(b));
}

TEST(CityGen, DemoCity_IsATownOfSharedBuildings) {
    const std::string path = hosttest::TempPath("Data_Riverton.dat");
    citygen::WriteDemoCity(path);
    CityDatabase db(path);
    EXPECT_EQ(db.Name(), u"Riverton");
    const std::size_t companies = db.Count(Type::Company);
    EXPECT_GE(companies, 200u);
    EXPECT_LE(companies, 500u);

    std::set<std::u16string> names, kinds;
    std::map<std::int32_t, std::set<std::int32_t>> companiesInBuilding;
    std::size_t branchCounts[5] = {};
    for (std::int32_t id = citygen::kFirstCompanyId; id < citygen::kFirstCompanyId + std::int32_t(companies);
         ++id) {
        const auto company = db.Find(Type::Company, id);
        ASSERT_TRUE(company) << id;
        EXPECT_TRUE(names.insert(company->name).second) << "two companies share a name";
        kinds.insert(company->kind);
        ASSERT_GE(company->branches.size(), 1u);
        ASSERT_LE(company->branches.size(), 4u);
        ++branchCounts[company->branches.size()];
        for (const std::int32_t b : company->branches)
            if (const auto branch = db.Find(Type::Branch, b); branch && branch->building)
                companiesInBuilding[*branch->building].insert(id);
        EXPECT_EQ(db.IdByStableId(Type::Company, company->stableId), id);
    }
    EXPECT_GE(kinds.size(), 15u);
    EXPECT_TRUE(kinds.count(u"cafe") && kinds.count(u"dentist") && kinds.count(u"hardware") &&
                kinds.count(u"school"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_GT(branchCounts[n], 0u) << n << " branches";
    std::size_t shared = 0;
    for (const auto& [building, tenants] : companiesInBuilding)
        shared += tenants.size() >= 3;
    EXPECT_GE(shared, companiesInBuilding.size() / 2) << "most buildings house several companies";
}

TEST(CityGen, SyntheticCity_ResolvesEveryStableIdAndKeepsThemApartFromIds) {
    const std::string path = hosttest::TempPath("Data_Synthetic.dat");
    citygen::WriteSyntheticCity(path, 3000);
    CityDatabase db(path);
    ASSERT_EQ(db.Count(Type::Company), 3000u);
    std::size_t negative = 0, withoutPremises = 0, branches = 0;
    for (std::int32_t id = 1; id <= 3000; ++id) {
        const auto company = db.Find(Type::Company, id);
        ASSERT_TRUE(company);
        ASSERT_EQ(db.IdByStableId(Type::Company, company->stableId), id);
        ASSERT_TRUE(company->stableId < 0 || company->stableId >= citygen::kIdCeiling);
        negative += company->stableId < 0;
        for (const std::int32_t b : company->branches) {
            ++branches;
            withoutPremises += !db.Find(Type::Branch, b)->building;
        }
    }
    EXPECT_GT(negative, 0u);
    EXPECT_GT(withoutPremises, 0u);
    EXPECT_GT(branches, 3000u);
    EXPECT_EQ(db.Count(Type::Branch), branches);
}

TEST(CityGen, AFailedWriteLeavesNoCityBehind) {
    const std::string path = hosttest::TempPath("Data_Broken.dat");
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
