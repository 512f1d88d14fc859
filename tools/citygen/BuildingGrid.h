#pragma once

#include "tools/citygen/OsmExtract.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace citygen {
// Finds the building whose outline holds a point, through a grid of cells about a
// hundred metres wide listing the buildings whose bounding box touches them.
class BuildingGrid {
public:
    explicit BuildingGrid(const OsmExtract& extract);

    // The building around the point, the smallest when several nest, the lower key when
    // two are as large; none when the point is in no building.
    std::optional<std::uint32_t> BuildingAt(GeoPoint point) const;

private:
    bool Contains(const OsmBuilding& building, GeoPoint point) const;

    const OsmExtract& extract_;
    // (cell, building) sorted by cell.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> cells_;
};
} // namespace citygen
