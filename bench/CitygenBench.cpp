// The import of an OpenStreetMap extract, as `citygen osm` does it, on made-up towns of
// 10,000 and 100,000 businesses with their buildings and streets: OSM objects a second
// (the same at both sizes when the import grows linearly), and the peak memory of the
// import of an extract of about 100 MB.
//
//   citygen_bench [--benchmark_filter=...]
#include "tools/citygen/OsmCity.h"

#include "bench/PeakMemory.h"

#include <benchmark/benchmark.h>
#include <osmium/builder/attr.hpp>
#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;
using namespace osmium::builder::attr;

// A town of `businesses` lots, a hundred to a row, each lot a building with four corners
// and an address on its row's street. Most businesses are shops inside their building;
// every tenth building is itself a business, every tenth shop stands between buildings,
// and every seventh belongs to one of fifty chains. Around the town lie `fields` ways of
// twenty untagged nodes each, wandering as real tracks and field edges do: the bulk of a
// real extract, read by the import and then dropped.
struct Town {
    fs::path file;
    std::size_t objects = 0;
    std::uintmax_t bytes = 0;
};

constexpr int kPerRow = 100;
constexpr std::int64_t kCell = 2'000; // 1e-7 degree: about 20 m

osmium::Location Corner(std::int64_t lot, int dx, int dy) {
    const std::int64_t x = 130'000'000 + (lot % kPerRow) * kCell + dx;
    const std::int64_t y = 520'000'000 + (lot / kPerRow) * kCell + dy;
    return osmium::Location{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

std::string Street(std::int64_t row) {
    return "Row " + std::to_string(row) + " Street";
}

constexpr int kFieldNodes = 20;

Town WriteTown(const fs::path& folder, std::int64_t businesses, std::int64_t fields) {
    Town town;
    town.file = folder / ("town-" + std::to_string(businesses) + "-" + std::to_string(fields) + ".osm.pbf");
    osmium::io::Header header;
    header.set("generator", "citygen_bench");
    osmium::io::Writer writer{town.file.string(), header, osmium::io::overwrite::allow};
    osmium::memory::Buffer buffer{1 << 20, osmium::memory::Buffer::auto_grow::yes};
    const auto flush = [&] {
        if (buffer.committed() > (1 << 19)) {
            writer(std::move(buffer));
            buffer = osmium::memory::Buffer{1 << 20, osmium::memory::Buffer::auto_grow::yes};
        }
    };
    const std::int64_t rows = (businesses + kPerRow - 1) / kPerRow;
    const std::int64_t streetNodes = 5 * businesses;

    // Nodes first, then ways, each in ascending id, as extracts come.
    for (std::int64_t i = 0; i < businesses; ++i) {
        const std::int64_t id = 5 * i;
        osmium::builder::add_node(buffer, _id(id + 1), _version(1), _location(Corner(i, 200, 200)));
        osmium::builder::add_node(buffer, _id(id + 2), _version(1), _location(Corner(i, 1'600, 200)));
        osmium::builder::add_node(buffer, _id(id + 3), _version(1), _location(Corner(i, 1'600, 1'600)));
        osmium::builder::add_node(buffer, _id(id + 4), _version(1), _location(Corner(i, 200, 1'600)));
        const std::string name = "Shop " + std::to_string(i);
        const std::string brand = "Q" + std::to_string(1'000 + i % 50);
        const osmium::Location point = i % 10 == 3 ? Corner(i, 1'800, 1'800) : Corner(i, 900, 900);
        if (i % 10 == 0) // the building is the business: its node is a corner of nothing
            osmium::builder::add_node(buffer, _id(id + 5), _version(1), _location(point));
        else if (i % 7 == 0)
            osmium::builder::add_node(buffer, _id(id + 5), _version(1), _location(point), _tag("shop", "bakery"),
                                      _tag("name", name), _tag("brand", "Chain " + brand),
                                      _tag("brand:wikidata", brand));
        else
            osmium::builder::add_node(buffer, _id(id + 5), _version(1), _location(point), _tag("shop", "clothes"),
                                      _tag("name", name), _tag("addr:street", Street(i / kPerRow)),
                                      _tag("addr:housenumber", std::to_string(i % kPerRow + 1)));
        flush();
    }
    for (std::int64_t row = 0; row < rows; ++row) {
        osmium::builder::add_node(buffer, _id(streetNodes + 2 * row + 1), _version(1),
                                  _location(Corner(row * kPerRow, 0, 0)));
        osmium::builder::add_node(buffer, _id(streetNodes + 2 * row + 2), _version(1),
                                  _location(Corner(row * kPerRow + kPerRow - 1, kCell, 0)));
    }
    const std::int64_t fieldNodes = streetNodes + 2 * rows;
    std::mt19937 random(19);
    std::uniform_int_distribution<int> step(-3'000, 3'000);
    osmium::Location at = Corner(0, -kCell, -kCell);
    for (std::int64_t n = 0; n < fields * kFieldNodes; ++n) {
        if (n % kFieldNodes == 0) at = Corner(std::int64_t(random() % 1'000'000), -kCell, -kCell);
        at = osmium::Location{at.x() + step(random), at.y() + step(random)};
        osmium::builder::add_node(buffer, _id(fieldNodes + n + 1), _version(1), _location(at));
        flush();
    }
    for (std::int64_t i = 0; i < businesses; ++i) {
        const std::int64_t id = 5 * i;
        const std::string street = Street(i / kPerRow), number = std::to_string(i % kPerRow + 1);
        const auto nodes = _nodes({id + 1, id + 2, id + 3, id + 4, id + 1});
        if (i % 10 == 0)
            osmium::builder::add_way(buffer, _id(i + 1), _version(1), nodes, _tag("building", "retail"),
                                     _tag("shop", "supermarket"), _tag("name", "Market " + std::to_string(i)),
                                     _tag("addr:street", street), _tag("addr:housenumber", number));
        else
            osmium::builder::add_way(buffer, _id(i + 1), _version(1), nodes, _tag("building", "yes"),
                                     _tag("addr:street", street), _tag("addr:housenumber", number));
        flush();
    }
    for (std::int64_t row = 0; row < rows; ++row)
        osmium::builder::add_way(buffer, _id(businesses + row + 1), _version(1),
                                 _nodes({streetNodes + 2 * row + 1, streetNodes + 2 * row + 2}),
                                 _tag("highway", "residential"), _tag("name", Street(row)));
    for (std::int64_t f = 0; f < fields; ++f) {
        {
            osmium::builder::WayBuilder way{buffer};
            way.set_id(businesses + rows + f + 1).set_version(1);
            osmium::builder::WayNodeListBuilder refs{way};
            for (int k = 1; k <= kFieldNodes; ++k)
                refs.add_node_ref(fieldNodes + f * kFieldNodes + k);
        }
        buffer.commit();
        flush();
    }
    writer(std::move(buffer));
    writer.close();
    town.objects = static_cast<std::size_t>(6 * businesses + 3 * rows + (kFieldNodes + 1) * fields);
    town.bytes = fs::file_size(town.file);
    return town;
}

// The towns, each written once, in a folder that goes with the program.
class Towns {
public:
    static Towns& Get() {
        static Towns towns;
        return towns;
    }
    const Town& Of(std::int64_t businesses, std::int64_t fields) {
        const auto size = std::make_pair(businesses, fields);
        auto it = towns_.find(size);
        if (it == towns_.end()) it = towns_.emplace(size, WriteTown(folder_, businesses, fields)).first;
        return it->second;
    }
    fs::path City() const { return folder_ / "Data_Town.dat"; }

private:
    Towns() : folder_(fs::temp_directory_path() / ("vesk-citygen-bench-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
    }
    ~Towns() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
    std::map<std::pair<std::int64_t, std::int64_t>, Town> towns_;
};

void BM_ImportOsmCity(benchmark::State& state) {
    Towns& towns = Towns::Get();
    const Town& town = towns.Of(state.range(0), 0);
    for (auto _ : state)
        citygen::WriteOsmCity(town.file.string(), towns.City().string(), "Town");
    state.counters["objects_per_s"] =
        benchmark::Counter(double(town.objects) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MB"] = double(town.bytes) / 1e6;
}
// Wall time: the extract is read and unpacked by the library's own threads.
BENCHMARK(BM_ImportOsmCity)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One import of a town whose extract is about 100 MB, and what it adds to the memory the
// process held before it.
void BM_ImportPeakMemory(benchmark::State& state) {
    Towns& towns = Towns::Get();
    const Town& town = towns.Of(state.range(0), state.range(1));
    long grown = 0;
    for (auto _ : state) {
        const bench::PeakMemory memory;
        citygen::WriteOsmCity(town.file.string(), towns.City().string(), "Town");
        grown = memory.Kilobytes();
    }
    state.counters["objects_per_s"] =
        benchmark::Counter(double(town.objects) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MB"] = double(town.bytes) / 1e6;
    state.counters["peak_MB"] = double(grown) / 1e3;
}
BENCHMARK(BM_ImportPeakMemory)->Args({100'000, 1'250'000})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
