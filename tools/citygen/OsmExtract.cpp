#include "tools/citygen/OsmExtract.h"

#include "tools/citygen/OsmBusinessTags.h"
#include "tools/citygen/OsmStableIds.h"

#include <osmium/area/assembler.hpp>
#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/relations/relations_manager.hpp>
#include <osmium/visitor.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace citygen {
namespace {
bool IsBuilding(const osmium::TagList& tags) {
    const char* value = tags["building"];
    return value && std::string_view(value) != "no";
}

// Areas made of multipolygon relations that are buildings or businesses; closed ways
// are read as they come, without an assembler.
class RelationAreas : public osmium::relations::RelationsManager<RelationAreas, false, true, false> {
public:
    bool new_relation(const osmium::Relation& relation) const {
        return relation.tags().has_tag("type", "multipolygon") &&
               (IsBuilding(relation.tags()) || BusinessKind(relation.tags()));
    }
    void complete_relation(const osmium::Relation& relation) {
        std::vector<const osmium::Way*> ways;
        for (const auto& member : relation.members())
            if (member.ref() != 0) ways.push_back(this->get_member_way(member.ref()));
        try {
            osmium::area::Assembler assembler{config_};
            assembler(relation, ways, this->buffer());
        } catch (const osmium::invalid_location&) {
            // A building with members outside the extract is left out.
        }
    }

private:
    const osmium::area::AssemblerConfig config_ = [] {
        osmium::area::AssemblerConfig config;
        config.create_empty_areas = false; // a broken multipolygon makes no building
        return config;
    }();
};

// Keeps the businesses, buildings and streets of what it is shown.
class Collector : public osmium::handler::Handler {
public:
    explicit Collector(OsmExtract& out) : out_(out) {}

    void node(const osmium::Node& node) {
        if (node.tags().empty() || !node.location().valid()) return;
        AddBusiness(node.tags(), OsmKey(OsmKeyKind::Node, node.positive_id()),
                    GeoPoint{node.location().x(), node.location().y()}, std::nullopt);
    }

    void way(const osmium::Way& way) {
        const auto& tags = way.tags();
        if (tags.empty()) return;
        const bool building = IsBuilding(tags) && way.nodes().size() >= 4 && way.is_closed();
        const auto kind = BusinessKind(tags);
        const char* highway = tags["highway"];
        const char* name = tags["name"];
        if (!building && !kind && !(highway && name)) return;

        const auto first = static_cast<std::uint32_t>(out_.points.size());
        for (const auto& ref : way.nodes())
            if (ref.location().valid()) out_.points.push_back({ref.location().x(), ref.location().y()});
        const PointRun run{first, static_cast<std::uint32_t>(out_.points.size())};
        if (run.end - run.begin < 2) {
            out_.points.resize(first);
            return;
        }
        const std::uint64_t key = OsmKey(OsmKeyKind::Way, way.positive_id());
        std::optional<std::uint32_t> self;
        if (building && run.end - run.begin == way.nodes().size()) {
            self = AddBuilding(key, tags, {run});
        } else if (highway && name) {
            out_.streetLines.push_back({out_.Street(name), run});
        }
        if (kind) AddBusiness(tags, key, Centre(run), self);
        if (!self && !(highway && name)) out_.points.resize(first);
    }

    void area(const osmium::Area& area) {
        if (area.from_way()) return;
        const auto& tags = area.tags();
        std::vector<PointRun> rings;
        for (const auto& outer : area.outer_rings()) {
            rings.push_back(AddRing(outer));
            for (const auto& inner : area.inner_rings(outer))
                rings.push_back(AddRing(inner));
        }
        if (rings.empty()) return;
        const std::uint64_t key = OsmKey(OsmKeyKind::Relation, area.orig_id());
        std::optional<std::uint32_t> self;
        if (IsBuilding(tags)) self = AddBuilding(key, tags, rings);
        const PointRun all{rings.front().begin, rings.back().end};
        if (BusinessKind(tags)) AddBusiness(tags, key, Centre(all), self);
        if (!self) out_.points.resize(all.begin);
    }

private:
    PointRun AddRing(const osmium::NodeRefList& ring) {
        const auto first = static_cast<std::uint32_t>(out_.points.size());
        for (const auto& ref : ring)
            out_.points.push_back({ref.location().x(), ref.location().y()});
        return {first, static_cast<std::uint32_t>(out_.points.size())};
    }

    std::uint32_t AddBuilding(std::uint64_t key, const osmium::TagList& tags, const std::vector<PointRun>& rings) {
        OsmBuilding b;
        b.key = key;
        b.street = out_.Street(tags["addr:street"]);
        if (const char* number = tags["addr:housenumber"]) b.number = number;
        b.ringBegin = static_cast<std::uint32_t>(out_.rings.size());
        out_.rings.insert(out_.rings.end(), rings.begin(), rings.end());
        b.ringEnd = static_cast<std::uint32_t>(out_.rings.size());
        b.min = b.max = out_.points[rings.front().begin];
        for (const auto& ring : rings)
            for (std::uint32_t i = ring.begin; i < ring.end; ++i) {
                const GeoPoint p = out_.points[i];
                b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y)};
                b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y)};
            }
        out_.buildings.push_back(std::move(b));
        return static_cast<std::uint32_t>(out_.buildings.size() - 1);
    }

    void AddBusiness(const osmium::TagList& tags, std::uint64_t key, GeoPoint point,
                     std::optional<std::uint32_t> building) {
        const auto kind = BusinessKind(tags);
        if (!kind) return;
        const char* name = tags["name"];
        const char* brandName = tags["brand"];
        if (!name) name = brandName;
        if (!name || !*name) return; // nobody looks up a business without a name
        OsmBusiness b;
        b.key = key;
        b.name = name;
        b.kind = *kind;
        if (const char* brand = tags["brand:wikidata"]) b.brand = brand;
        if (brandName) b.brandName = brandName;
        b.street = out_.Street(tags["addr:street"]);
        if (const char* number = tags["addr:housenumber"]) b.number = number;
        b.point = point;
        b.building = building;
        out_.businesses.push_back(std::move(b));
    }

    // The middle of the bounding box of the run's points.
    GeoPoint Centre(PointRun run) const {
        GeoPoint lo = out_.points[run.begin], hi = lo;
        for (std::uint32_t i = run.begin; i < run.end; ++i) {
            lo = {std::min(lo.x, out_.points[i].x), std::min(lo.y, out_.points[i].y)};
            hi = {std::max(hi.x, out_.points[i].x), std::max(hi.y, out_.points[i].y)};
        }
        return {static_cast<std::int32_t>((std::int64_t{lo.x} + hi.x) / 2),
                static_cast<std::int32_t>((std::int64_t{lo.y} + hi.y) / 2)};
    }

    OsmExtract& out_;
};
} // namespace

OsmExtract ReadOsmExtract(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw std::runtime_error("citygen: " + path + ": no such file");
    OsmExtract extract;
    try {
        const osmium::io::File file{path};
        if (file.format() == osmium::io::file_format::unknown)
            throw std::runtime_error("the name ends in none of .osm, .osm.pbf, .osm.bz2, .osm.gz");
        RelationAreas areas;
        osmium::relations::read_relations(file, areas);

        // Sparse or dense as the extract needs: a town's extract stays small in memory.
        using Index = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
        Index index;
        osmium::handler::NodeLocationsForWays<Index> locations{index};
        locations.ignore_errors(); // ways that leave the extract keep the nodes it has
        Collector collector{extract};
        osmium::io::Reader reader{file, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way};
        osmium::apply(reader, locations, collector,
                      areas.handler([&collector](osmium::memory::Buffer&& buffer) {
                          osmium::apply(buffer, collector);
                      }));
        reader.close();
    } catch (const std::exception& e) {
        throw std::runtime_error("citygen: " + path + " is not a readable OpenStreetMap file: " + e.what());
    }
    return extract;
}
} // namespace citygen
