#include "host/web/GeoPlan.h"

#include "host/CityDatabase.h"
#include "host/Utf.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace host::web {
namespace {
constexpr int kZoom = 20;
constexpr double kWorld = 256.0 * (1 << kZoom);
constexpr double kMaxLatitude = 85.0511287798; // where the square Web Mercator world ends

struct Point {
    double x, y;
};

Point Project(std::int32_t lon, std::int32_t lat) {
    const double latitude = std::clamp(lat * 1e-7, -kMaxLatitude, kMaxLatitude) * std::numbers::pi / 180;
    return {(lon * 1e-7 / 360 + 0.5) * kWorld,
            (0.5 - std::log(std::tan(std::numbers::pi / 4 + latitude / 2)) / (2 * std::numbers::pi)) *
                kWorld};
}

struct Shape {
    std::int32_t id;
    Point point;
    std::vector<std::vector<Point>> parts; // rings or lines
};

void Grow(Point& lo, Point& hi, Point p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
}
} // namespace

nlohmann::json GeoPlanJson(CityDatabase& city) {
    using nlohmann::json;
    constexpr double inf = std::numeric_limits<double>::infinity();
    Point lo{inf, inf}, hi{-inf, -inf};
    std::vector<Shape> buildings, streets;
    city.ForEachPlace([&](const CityDatabase::Place& place) {
        Shape shape{place.building, Project(place.lon, place.lat), {}};
        Grow(lo, hi, shape.point);
        const auto& o = place.outline;
        for (std::size_t i = 0; i < o.size();) {
            const auto n = static_cast<std::size_t>(std::max(o[i], 0));
            if (i + 1 + 2 * n > o.size()) throw CityError(city.Path() + ": an outline is cut short");
            auto& ring = shape.parts.emplace_back();
            for (std::size_t k = 0; k < n; ++k)
                ring.push_back(Project(o[i + 1 + 2 * k], o[i + 2 + 2 * k]));
            i += 1 + 2 * n;
        }
        buildings.push_back(std::move(shape));
    });
    city.ForEachStreetLine([&](const CityDatabase::StreetLine& line) {
        if (streets.empty() || streets.back().id != line.street) streets.push_back({line.street, {}, {}});
        auto& points = streets.back().parts.emplace_back();
        for (std::size_t k = 0; k + 1 < line.line.size(); k += 2) {
            points.push_back(Project(line.line[k], line.line[k + 1]));
            Grow(lo, hi, points.back());
        }
    });
    if (buildings.empty()) lo = hi = {0, 0};

    const auto coordinates = [&](const std::vector<Point>& points) {
        json flat = json::array();
        for (const Point& p : points) {
            flat.push_back(std::lround(p.x - lo.x));
            flat.push_back(std::lround(p.y - lo.y));
        }
        return flat;
    };
    json buildingsJson = json::array(), streetsJson = json::array();
    for (const Shape& b : buildings) {
        json rings = json::array();
        for (const auto& ring : b.parts)
            rings.push_back(coordinates(ring));
        buildingsJson.push_back({{"id", b.id},
                                 {"x", std::lround(b.point.x - lo.x)},
                                 {"y", std::lround(b.point.y - lo.y)},
                                 {"rings", std::move(rings)}});
    }
    for (const Shape& s : streets) {
        json lines = json::array();
        for (const auto& line : s.parts)
            lines.push_back(coordinates(line));
        const auto street = city.Find(CityDatabase::Type::Street, s.id);
        streetsJson.push_back(
            {{"id", s.id}, {"name", street ? Utf8(street->name) : ""}, {"lines", std::move(lines)}});
    }
    return {{"attribution", Utf8(city.Attribution())},
            {"zoom", kZoom},
            {"origin", {std::lround(lo.x), std::lround(lo.y)}},
            {"width", std::lround(hi.x - lo.x)},
            {"height", std::lround(hi.y - lo.y)},
            {"buildings", std::move(buildingsJson)},
            {"streets", std::move(streetsJson)}};
}
} // namespace host::web
