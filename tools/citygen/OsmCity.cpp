#include "tools/citygen/OsmCity.h"

#include "tools/citygen/BuildingGrid.h"
#include "tools/citygen/CityWriter.h"
#include "tools/citygen/OsmExtract.h"
#include "tools/citygen/OsmStableIds.h"
#include "tools/citygen/StableIdSequence.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <numeric>
#include <stdexcept>
#include <tuple>

namespace citygen {
namespace {
// OpenStreetMap's data may be used when its source is named: the map shows this.
constexpr std::string_view kAttribution = "© OpenStreetMap contributors, ODbL 1.0";

struct Company {
    std::uint64_t key = 0;
    std::string_view name, kind;
    std::vector<std::uint32_t> branches; // businesses, in ascending key
};

void Append(std::vector<std::byte>& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::byte>(u >> shift & 0xFF));
}

void AppendPoints(std::vector<std::byte>& out, const OsmExtract& x, PointRun run) {
    for (std::uint32_t i = run.begin; i < run.end; ++i) {
        Append(out, x.points[i].x);
        Append(out, x.points[i].y);
    }
}

std::vector<std::size_t> OrderBy(std::size_t n, auto less) {
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), less);
    return order;
}

// A chain's key: its Wikidata number when it is one, else the entry's text.
std::uint64_t BrandKey(const std::string& brand) {
    if (brand.size() > 1 && brand[0] == 'Q' && brand.size() < 19 &&
        std::all_of(brand.begin() + 1, brand.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return OsmKey(OsmKeyKind::Brand, std::stoull(brand.substr(1)));
    return OsmNameKey(brand);
}

void CheckCount(std::size_t n, std::int32_t first, std::int32_t next, const char* what) {
    if (n > static_cast<std::size_t>(next - first))
        throw std::runtime_error(std::string("citygen: the extract has more ") + what + " than a city holds");
}
} // namespace

void WriteOsmCity(const std::string& extract, const std::string& out, std::string_view name) {
    OsmExtract x = ReadOsmExtract(extract);
    if (x.businesses.empty())
        throw std::runtime_error("citygen: " + extract +
                                 " holds no named business or service (shop, office, craft, amenity…)");

    // Each business's building: itself, the one around its point, or one of its own.
    std::vector<std::uint32_t> buildingOf(x.businesses.size());
    {
        const BuildingGrid grid(x);
        for (std::size_t i = 0; i < x.businesses.size(); ++i) {
            const OsmBusiness& b = x.businesses[i];
            if (auto at = b.building ? b.building : grid.BuildingAt(b.point)) {
                buildingOf[i] = *at;
                continue;
            }
            OsmBuilding own;
            own.key = b.key;
            own.street = b.street;
            own.number = b.number;
            own.ringBegin = own.ringEnd = 0;
            own.min = own.max = b.point;
            buildingOf[i] = static_cast<std::uint32_t>(x.buildings.size());
            x.buildings.push_back(std::move(own));
        }
    }

    // Chains by brand, every other business a company of its own; listed by name.
    const auto byKey = OrderBy(x.businesses.size(),
                               [&](std::size_t a, std::size_t b) { return x.businesses[a].key < x.businesses[b].key; });
    std::vector<Company> companies;
    std::map<std::string_view, std::size_t> chains;
    for (const std::size_t i : byKey) {
        const OsmBusiness& b = x.businesses[i];
        if (!b.brand.empty()) {
            const auto [it, added] = chains.try_emplace(b.brand, companies.size());
            if (!added) {
                Company& chain = companies[it->second];
                chain.branches.push_back(static_cast<std::uint32_t>(i));
                if (chain.name == x.businesses[chain.branches.front()].name && !b.brandName.empty())
                    chain.name = b.brandName;
                continue;
            }
        }
        Company c;
        c.key = b.brand.empty() ? b.key : BrandKey(b.brand);
        c.name = !b.brand.empty() && !b.brandName.empty() ? b.brandName : b.name;
        c.kind = b.kind;
        c.branches.push_back(static_cast<std::uint32_t>(i));
        companies.push_back(std::move(c));
    }
    std::sort(companies.begin(), companies.end(),
              [](const Company& a, const Company& b) { return std::tie(a.name, a.key) < std::tie(b.name, b.key); });

    // Streets by name: the highways' and those the addresses use.
    std::vector<bool> streetUsed(x.streetNames.size());
    for (const auto& line : x.streetLines)
        streetUsed[line.street] = true;
    for (const auto& b : x.buildings)
        if (b.street != kNoStreet) streetUsed[b.street] = true;
    std::vector<std::uint32_t> streets;
    for (std::uint32_t s = 0; s < x.streetNames.size(); ++s)
        if (streetUsed[s]) streets.push_back(s);
    std::sort(streets.begin(), streets.end(),
              [&](std::uint32_t a, std::uint32_t b) { return x.streetNames[a] < x.streetNames[b]; });
    std::vector<std::int32_t> streetId(x.streetNames.size());
    for (std::size_t i = 0; i < streets.size(); ++i)
        streetId[streets[i]] = kFirstStreetId + static_cast<std::int32_t>(i);

    const auto buildings = OrderBy(
        x.buildings.size(), [&](std::size_t a, std::size_t b) { return x.buildings[a].key < x.buildings[b].key; });
    std::vector<std::int32_t> buildingId(x.buildings.size());
    for (std::size_t i = 0; i < buildings.size(); ++i)
        buildingId[buildings[i]] = kFirstBuildingId + static_cast<std::int32_t>(i);

    std::size_t branchCount = 0;
    for (const auto& c : companies)
        branchCount += c.branches.size();
    CheckCount(companies.size(), kFirstCompanyId, kFirstBranchId, "businesses");
    CheckCount(branchCount, kFirstBranchId, kFirstBuildingId, "businesses");
    CheckCount(x.buildings.size(), kFirstBuildingId, kFirstStreetId, "buildings");
    CheckCount(streets.size(), kFirstStreetId, kIdCeiling, "streets");

    // Stable ids, kind by kind.
    std::vector<std::uint64_t> keys;
    for (const auto s : streets)
        keys.push_back(OsmNameKey(x.streetNames[s]));
    const auto streetStable = AssignStableIds(keys);
    keys.clear();
    for (const auto b : buildings)
        keys.push_back(x.buildings[b].key);
    const auto buildingStable = AssignStableIds(keys);
    keys.clear();
    for (const auto& c : companies)
        keys.push_back(c.key);
    const auto companyStable = AssignStableIds(keys);
    keys.clear();
    for (const auto& c : companies)
        for (const auto b : c.branches)
            keys.push_back(x.businesses[b].key);
    const auto branchStable = AssignStableIds(keys);

    CityWriter city(out, name);
    city.SetValue("attribution", kAttribution);
    std::vector<std::byte> blob;
    for (std::size_t i = 0; i < streets.size(); ++i)
        city.AddStreet(kFirstStreetId + static_cast<std::int32_t>(i), streetStable[i], x.streetNames[streets[i]]);
    for (const auto& line : x.streetLines) {
        blob.clear();
        AppendPoints(blob, x, line.line);
        city.AddStreetLine(streetId[line.street], blob);
    }
    for (std::size_t i = 0; i < buildings.size(); ++i) {
        const OsmBuilding& b = x.buildings[buildings[i]];
        const std::int32_t id = kFirstBuildingId + static_cast<std::int32_t>(i);
        city.AddBuilding(id, buildingStable[i],
                         b.street == kNoStreet ? std::nullopt : std::optional(streetId[b.street]), b.number);
        blob.clear();
        for (std::uint32_t r = b.ringBegin; r < b.ringEnd; ++r) {
            Append(blob, static_cast<std::int32_t>(x.rings[r].end - x.rings[r].begin));
            AppendPoints(blob, x, x.rings[r]);
        }
        city.AddPlace(id, static_cast<std::int32_t>((std::int64_t{b.min.x} + b.max.x) / 2),
                      static_cast<std::int32_t>((std::int64_t{b.min.y} + b.max.y) / 2), blob);
    }
    std::int32_t branch = kFirstBranchId;
    for (std::size_t c = 0; c < companies.size(); ++c) {
        const std::int32_t id = kFirstCompanyId + static_cast<std::int32_t>(c);
        city.AddCompany(id, companyStable[c], companies[c].name, companies[c].kind);
        int position = 0;
        for (const auto b : companies[c].branches) {
            city.AddBranch(branch, branchStable[branch - kFirstBranchId], id, ++position, buildingId[buildingOf[b]]);
            ++branch;
        }
    }
    city.Commit();
}
} // namespace citygen
