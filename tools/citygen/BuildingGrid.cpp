#include "tools/citygen/BuildingGrid.h"

#include <algorithm>

namespace citygen {
namespace {
constexpr std::int32_t kCell = 10'000; // 0.001 degree

std::int64_t CellOf(std::int32_t v) {
    return (std::int64_t{v} - INT32_MIN) / kCell;
}

std::uint64_t CellKey(std::int64_t cx, std::int64_t cy) {
    return static_cast<std::uint64_t>(cx) << 32 | static_cast<std::uint64_t>(cy);
}

std::int64_t BoxArea(const OsmBuilding& b) {
    return (std::int64_t{b.max.x} - b.min.x) * (std::int64_t{b.max.y} - b.min.y);
}
} // namespace

BuildingGrid::BuildingGrid(const OsmExtract& extract) : extract_(extract) {
    for (std::uint32_t i = 0; i < extract.buildings.size(); ++i) {
        const OsmBuilding& b = extract.buildings[i];
        for (std::int64_t cx = CellOf(b.min.x); cx <= CellOf(b.max.x); ++cx)
            for (std::int64_t cy = CellOf(b.min.y); cy <= CellOf(b.max.y); ++cy)
                cells_.emplace_back(CellKey(cx, cy), i);
    }
    std::sort(cells_.begin(), cells_.end());
}

std::optional<std::uint32_t> BuildingGrid::BuildingAt(GeoPoint point) const {
    const std::uint64_t cell = CellKey(CellOf(point.x), CellOf(point.y));
    auto it = std::lower_bound(cells_.begin(), cells_.end(), std::make_pair(cell, std::uint32_t{0}));
    std::optional<std::uint32_t> best;
    for (; it != cells_.end() && it->first == cell; ++it) {
        const OsmBuilding& b = extract_.buildings[it->second];
        if (!Contains(b, point)) continue;
        if (best) {
            const OsmBuilding& other = extract_.buildings[*best];
            const auto area = BoxArea(b), otherArea = BoxArea(other);
            if (area > otherArea || (area == otherArea && b.key > other.key)) continue;
        }
        best = it->second;
    }
    return best;
}

bool BuildingGrid::Contains(const OsmBuilding& building, GeoPoint p) const {
    if (p.x < building.min.x || p.x > building.max.x || p.y < building.min.y || p.y > building.max.y)
        return false;
    // Even-odd: a ray to the east crosses the outline's edges an odd number of times.
    bool inside = false;
    for (std::uint32_t r = building.ringBegin; r < building.ringEnd; ++r) {
        const PointRun ring = extract_.rings[r];
        for (std::uint32_t i = ring.begin, j = ring.end - 1; i < ring.end; j = i++) {
            const GeoPoint a = extract_.points[i], b = extract_.points[j];
            if ((a.y > p.y) == (b.y > p.y)) continue;
            const double x = a.x + (double(p.y) - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
            if (p.x < x) inside = !inside;
        }
    }
    return inside;
}
} // namespace citygen
