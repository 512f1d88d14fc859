#include "tools/citygen/SyntheticCity.h"

#include "tools/citygen/CityWriter.h"
#include "tools/citygen/Random.h"
#include "tools/citygen/StableIdSequence.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace citygen {
namespace {
constexpr std::array<std::string_view, 16> kWords{
    "Acorn", "Beacon",  "Cedar",   "Delta",  "Ember", "Falcon", "Granite", "Heron",
    "Iris",  "Juniper", "Kestrel", "Linden", "Maple", "Nettle", "Orchid",  "Pebble"};
constexpr std::array<std::string_view, 8> kKinds{"cafe",   "dentist", "hardware", "school",
                                                 "bakery", "garage",  "pharmacy", "solicitor"};
constexpr std::array<std::string_view, 8> kKindWords{"Café",   "Dental", "Hardware", "School",
                                                     "Bakery", "Motors", "Pharmacy", "Law"};
constexpr std::array<std::string_view, 6> kStreetWords{"Street", "Road", "Lane", "Avenue", "Way", "Close"};
constexpr std::int32_t kBuildingsPerStreet = 40;
} // namespace

void WriteSyntheticCity(const std::string& path, std::int32_t companies) {
    if (companies < 1 || companies > kFirstBranchId - kFirstCompanyId)
        throw std::runtime_error("citygen: the number of companies is out of range");
    Random random(0x5EED0000u + static_cast<std::uint32_t>(companies));
    StableIdSequence streetIds(0x7301), buildingIds(0x7302), companyIds(0x7303), branchIds(0x7304);
    CityWriter city(path, "Synthetic " + std::to_string(companies));

    const std::int32_t buildings = std::max<std::int32_t>(1, companies / 2);
    const std::int32_t streets = (buildings + kBuildingsPerStreet - 1) / kBuildingsPerStreet;
    for (std::int32_t s = 0; s < streets; ++s) {
        std::string name = std::string(kWords[s % kWords.size()]) + " " +
                           std::to_string(s / kWords.size() + 1) + " " +
                           std::string(kStreetWords[random.Below(kStreetWords.size())]);
        city.AddStreet(kFirstStreetId + s, streetIds.Next(), name);
    }
    for (std::int32_t b = 0; b < buildings; ++b)
        city.AddBuilding(kFirstBuildingId + b, buildingIds.Next(), kFirstStreetId + b / kBuildingsPerStreet,
                         std::to_string(1 + 2 * (b % kBuildingsPerStreet)));

    std::int32_t nextBranch = kFirstBranchId;
    for (std::int32_t c = 0; c < companies; ++c) {
        const std::uint32_t kind = random.Below(kKinds.size());
        const std::string name = std::string(kWords[random.Below(kWords.size())]) + " " +
                                 std::string(kKindWords[kind]) + " " + std::to_string(c + 1);
        const std::int32_t company = kFirstCompanyId + c;
        city.AddCompany(company, companyIds.Next(), name, kKinds[kind]);
        const std::uint32_t roll = random.Below(100);
        const int count = roll < 55 ? 1 : roll < 80 ? 2 : roll < 92 ? 3 : 4;
        for (int k = 1; k <= count; ++k) {
            std::optional<std::int32_t> building;
            if (!random.Chance(2))
                building = kFirstBuildingId + static_cast<std::int32_t>(random.Below(buildings));
            city.AddBranch(nextBranch++, branchIds.Next(), company, k, building);
        }
    }
    city.Commit();
}
} // namespace citygen
