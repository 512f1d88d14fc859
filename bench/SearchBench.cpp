// The search by note on a large city: 100,000 notes on a city of 1,000,000 companies (every
// tenth noted) and on one of 100,000 (every company noted), the same texts on both. One
// matcher call is measured next to a bare lookup in an ordered map of the same size; the
// host's pass over every company of a city next to walking the notes once.
//
//   search_bench [--benchmark_filter=...]
#include "display/NodesQuickFilters.h"
#include "host/CityDatabase.h"
#include "host/QuickFilterPass.h"
#include "host/StableIdIndex.h"
#include "search/NoteMatchers.h"
#include "search/SearchCriteria.h"
#include "store/NoteCollection.h"
#include "tools/citygen/SyntheticCity.h"

#include "bench/NoteTexts.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;
constexpr int kNotes = 100'000;
// Two words that meet in a few notes in a hundred: most notes are searched to their end.
constexpr std::u16string_view kPattern = u"ДОГОВОР ПОДПИСАН";
constexpr std::u16string_view kCategory = u"MYUNIQUETAG3";

// The controller's side of the text filter, over the matchers alone.
class TextMatcher final : public IInfoMatcher {
public:
    explicit TextMatcher(NoteMatchers& matchers) : matchers_(matchers) {}
    std::int32_t Match(std::int32_t company) override { return matchers_.MatchText(company); }
    void SetCriterion(const std::u16string& text) override { matchers_.SetText(text); }

private:
    NoteMatchers& matchers_;
};

// One city with its notes and the text filter the page controller would install.
struct NotedCity {
    std::vector<std::int32_t> ids;
    NoteCollection notes;
    std::unique_ptr<NoteMatchers> matchers;
    std::unique_ptr<TextMatcher> textMatcher;
    zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter> filter;

    NotedCity(const fs::path& file, std::int32_t companies, int every,
              const std::vector<CollectionElement>& texts) {
        citygen::WriteSyntheticCity(file.string(), companies);
        host::CityDatabase city(file.string());
        ids = city.CompanyIds();
        for (int i = 0; i < kNotes; ++i)
            notes.Set(ids.at(std::size_t(i) * std::size_t(every)), texts[std::size_t(i)]);
        matchers = std::make_unique<NoteMatchers>(notes);
        matchers->SetText(kPattern);
        matchers->SetCategory(kCategory);
        textMatcher = std::make_unique<TextMatcher>(*matchers);
        filter = zsys::Make<NodesQuickTextFilter>(textMatcher.get());
    }
};

// Everything the measurements share, made once.
class World {
public:
    static World& Get() {
        static World world;
        return world;
    }

    fs::path folder;
    std::unique_ptr<NotedCity> large, small;
    // The same notes, keyed alike, in a bare ordered map.
    std::map<std::int32_t, CollectionElement> bare;

private:
    World() {
        folder = fs::temp_directory_path() / ("vesk-search-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        std::mt19937 random(2026);
        std::uniform_int_distribution<int> categoryCount(0, 3), category(0, 17);
        std::vector<CollectionElement> texts(kNotes);
        for (CollectionElement& note : texts) {
            note.SetText(bench::MakeNoteText(random));
            for (int c = categoryCount(random); c > 0; --c)
                note.AddCategory(category(random));
        }
        large = std::make_unique<NotedCity>(folder / "Data_Large.dat", 1'000'000, 10, texts);
        small = std::make_unique<NotedCity>(folder / "Data_Small.dat", 100'000, 1, texts);
        large->notes.ForEach(
            [this](std::int32_t key, const CollectionElement& note) { bare.emplace(key, note); });
    }
    ~World() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

// The keys asked: every company of the large city in ascending order, one in ten noted.
template <class Ask> void AskEveryCompany(benchmark::State& state, Ask ask) {
    const std::vector<std::int32_t>& ids = World::Get().large->ids;
    std::size_t at = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ask(ids[at]));
        if (++at == ids.size()) at = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OrderedLookup(benchmark::State& state) {
    const auto& bare = World::Get().bare;
    AskEveryCompany(state, [&](std::int32_t id) { return bare.find(id); });
}

void BM_TextMatch(benchmark::State& state) {
    const NoteMatchers& matchers = *World::Get().large->matchers;
    AskEveryCompany(state, [&](std::int32_t id) { return matchers.MatchText(id); });
}

void BM_CategoryMatch(benchmark::State& state) {
    const NoteMatchers& matchers = *World::Get().large->matchers;
    AskEveryCompany(state, [&](std::int32_t id) { return matchers.MatchCategory(id); });
}

// The host's pass over all ids of the city, asking the text filter and skipping as told.
void BM_FilteredPass(benchmark::State& state) {
    const NotedCity& city = state.range(0) == 1'000'000 ? *World::Get().large : *World::Get().small;
    const zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter> filters[] = {city.filter};
    std::size_t kept = 0;
    for (auto _ : state) {
        const auto found = host::KeptByQuickFilters(city.ids, filters);
        kept = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["kept"] = double(kept);
    state.SetItemsProcessed(state.iterations() * kNotes);
}

// The floor: each note once, folded and searched.
void BM_NotesWalk(benchmark::State& state) {
    const NoteCollection& notes = World::Get().large->notes;
    const std::u16string pattern = criteria::FoldCase(kPattern);
    std::size_t kept = 0;
    for (auto _ : state) {
        kept = 0;
        notes.ForEach([&](std::int32_t, const CollectionElement& note) {
            kept += criteria::ContainsFolded(note.Text(), pattern) ? 1 : 0;
        });
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = double(kept);
    state.SetItemsProcessed(state.iterations() * kNotes);
}
// The host's stable-id index of a city of N companies: a look-up, and the memory it holds.
void BM_StableIdIndex(benchmark::State& state) {
    const auto companies = std::int32_t(state.range(0));
    host::StableIdIndex index{static_cast<std::size_t>(companies)};
    for (std::int32_t id = 1; id <= companies; ++id)
        index.Insert(id * 7 + 1, id);
    std::int32_t stableId = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Find(stableId));
        stableId = stableId * 7 % (companies * 7) + 1;
    }
    state.counters["index_MiB"] = double(index.MemoryUsage()) / double(1 << 20);
}
} // namespace

BENCHMARK(BM_StableIdIndex)->Arg(1'000'000);
BENCHMARK(BM_OrderedLookup);
BENCHMARK(BM_TextMatch);
BENCHMARK(BM_CategoryMatch);
BENCHMARK(BM_NotesWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilteredPass)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
