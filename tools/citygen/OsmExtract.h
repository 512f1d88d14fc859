#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace citygen {
// A position in WGS84 as OpenStreetMap keeps it: longitude x and latitude y in units of
// 1e-7 degree.
struct GeoPoint {
    std::int32_t x = 0, y = 0;
};

// A run of points in OsmExtract::points: one ring of an outline or one street line.
struct PointRun {
    std::uint32_t begin = 0, end = 0;
};

inline constexpr std::uint32_t kNoStreet = std::numeric_limits<std::uint32_t>::max();

// A building with its outline, the rings [ringBegin, ringEnd) of OsmExtract::rings
// (outer and inner rings alike: a point is inside when it is inside an odd number).
struct OsmBuilding {
    std::uint64_t key = 0;
    std::uint32_t street = kNoStreet; // into OsmExtract::streetNames
    std::string number;
    std::uint32_t ringBegin = 0, ringEnd = 0;
    GeoPoint min, max; // the bounding box
};

// A named business or service at a point: a node's position, the centre of a way or area.
struct OsmBusiness {
    std::uint64_t key = 0;
    std::string name, kind;
    // The brand's Wikidata entry ("Q38076") shared by a chain's branches, and its name.
    std::string brand, brandName;
    std::uint32_t street = kNoStreet;
    std::string number;
    GeoPoint point;
    // The building the object itself is, an index into OsmExtract::buildings.
    std::optional<std::uint32_t> building;
};

// A piece of a named street.
struct OsmStreetLine {
    std::uint32_t street = 0;
    PointRun line;
};

// What a city is made of, as read from an extract.
struct OsmExtract {
    std::vector<OsmBusiness> businesses;
    std::vector<OsmBuilding> buildings;
    std::vector<OsmStreetLine> streetLines;
    std::vector<PointRun> rings;
    std::vector<GeoPoint> points;
    // Each street name once, from highways and addresses alike.
    std::vector<std::string> streetNames;
    std::unordered_map<std::string, std::uint32_t> streetIndex;

    // The index of a street name, added when new; kNoStreet for none.
    std::uint32_t Street(const char* name) {
        if (!name || !*name) return kNoStreet;
        const auto [it, added] = streetIndex.try_emplace(name, static_cast<std::uint32_t>(streetNames.size()));
        if (added) streetNames.emplace_back(name);
        return it->second;
    }
};

// Reads an OpenStreetMap file (.osm, .osm.pbf, .osm.bz2, .osm.gz) with what a city is
// made of. Raises std::runtime_error with the file's name and what is wrong with it.
OsmExtract ReadOsmExtract(const std::string& path);
} // namespace citygen
