#include "host/web/MapPlan.h"

#include "host/CityDatabase.h"
#include "host/Utf.h"
#include "host/web/GeoPlan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace host::web {
namespace {
constexpr int kMargin = 16, kHouse = 38, kHouseHeight = 30, kGap = 8, kRoad = 10, kRow = 78, kName = 14;

struct House {
    std::int32_t id;
    std::u16string address;
};
} // namespace

nlohmann::json PlanJson(CityDatabase& city, std::size_t limit) {
    using nlohmann::json;
    using Type = CityDatabase::Type;
    if (city.HasPlaces()) return {{"geo", GeoPlanJson(city)}};
    std::map<std::int32_t, std::vector<House>> streets; // by street id, houses by id
    const auto ids = city.FirstIds(Type::Building, limit);
    for (const std::int32_t id : ids) {
        const auto building = city.Find(Type::Building, id);
        if (building) streets[building->parent.value_or(0)].push_back({id, building->name});
    }
    std::size_t longest = 1;
    for (const auto& [street, houses] : streets)
        longest = std::max(longest, houses.size());
    // Roughly as wide as tall: as many columns as rows of the column width would fill.
    const int columnWidth = kMargin + int(longest) * (kHouse + kGap) + kMargin;
    const int count = int(streets.size());
    const int columns =
        std::max(1, std::min(count, int(std::lround(std::sqrt(count * double(kRow) / columnWidth)))));
    const int rows = (count + columns - 1) / std::max(columns, 1);

    json streetsJson = json::array(), buildings = json::array();
    int n = 0;
    for (const auto& [streetId, houses] : streets) {
        const int x = kMargin + (n / std::max(rows, 1)) * columnWidth;
        const int top = kMargin + (n % std::max(rows, 1)) * kRow;
        ++n;
        const auto street = streetId ? city.Find(Type::Street, streetId) : std::nullopt;
        const std::u16string name = street ? street->name : u"";
        const int roadY = top + kName + kHouseHeight + 4;
        const int roadWidth = int(houses.size()) * (kHouse + kGap) + kGap;
        streetsJson.push_back(
            {{"id", streetId}, {"name", Utf8(name)}, {"x", x}, {"y", roadY}, {"w", roadWidth}});
        int hx = x + kGap;
        for (const House& house : houses) {
            // The house number is the address without its street.
            std::u16string label = house.address;
            if (!name.empty() && label.size() > name.size() && label.ends_with(name))
                label.erase(label.size() - name.size());
            while (!label.empty() && label.back() == u' ')
                label.pop_back();
            buildings.push_back({{"id", house.id},
                                 {"street", streetId},
                                 {"label", Utf8(label)},
                                 {"address", Utf8(house.address)},
                                 {"x", hx},
                                 {"y", top + kName},
                                 {"w", kHouse},
                                 {"h", kHouseHeight}});
            hx += kHouse + kGap;
        }
    }
    const std::size_t total = city.Count(Type::Building);
    return {{"width", kMargin + columns * columnWidth},
            {"height", kMargin + rows * kRow + kMargin},
            {"streets", std::move(streetsJson)},
            {"buildings", std::move(buildings)},
            {"omitted", total > ids.size() ? total - ids.size() : 0}};
}
} // namespace host::web
