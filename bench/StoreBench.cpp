// The notes store on a large city: 1,000,000 companies, 100,000 notes. Each of our
// operations is measured next to its floor, the bare XML library doing the same work.
//
//   store_bench [--benchmark_filter=...]
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/VeskNotesModule.h"
#include "host/CityDatabase.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "store/Categories.h"
#include "store/ChangeJournal.h"
#include "store/CollectionElement.h"
#include "store/LegacyNotesImport.h"
#include "store/NoteCollection.h"
#include "store/NotesStore.h"
#include "tools/citygen/SyntheticCity.h"

#include "bench/NoteTexts.h"
#include "bench/PeakMemory.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <unicode/ucnv.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;
constexpr std::int32_t kCompanies = 1'000'000;
constexpr int kNotes = 100'000;
// The parse the notes file gets (store/NotesFile.cpp), so that the floor does the same parse: blanks kept
// where they are all an element holds, plain text held by its element.
constexpr unsigned kNotesParse =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

struct NoteSample {
    std::int32_t key;
    std::int32_t stableId;
    std::u16string text;
    std::vector<std::int32_t> categories;
};

// Writes pugixml's output with CR LF line ends, as the notes file has them.
class CrLfFileWriter : public pugi::xml_writer {
public:
    explicit CrLfFileWriter(std::FILE* file) : file_(file) {}
    void write(const void* data, size_t size) override {
        const char* p = static_cast<const char*>(data);
        const char* end = p + size;
        while (p < end) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
            const char* stop = lf ? lf : end;
            std::fwrite(p, 1, stop - p, file_);
            if (!lf) break;
            std::fwrite("\r\n", 1, 2, file_);
            p = lf + 1;
        }
    }

private:
    std::FILE* file_;
};

// Everything the measurements share, made once.
class World {
public:
    static World& Get() {
        static World world;
        return world;
    }

    fs::path folder;
    std::string city;
    std::unique_ptr<host::ZeltHost> host;
    zsys::ComPtr<ZeltCore::IHostView> view;
    std::shared_ptr<LangLocal> language;
    std::vector<NoteSample> samples;
    std::u16string notesFile, writeTarget, legacyFile;
    std::uintmax_t notesFileSize = 0, legacyFileSize = 0;

private:
    World() {
        folder = fs::temp_directory_path() / ("vesk-store-bench-" + std::to_string(getpid()));
        fs::create_directories(folder / "appdata");
        city = (folder / "Data_Bench.dat").string();
        citygen::WriteSyntheticCity(city, kCompanies);
        zsys::SetAppDataFolder((folder / "appdata").string());
        host = std::make_unique<host::ZeltHost>(host::ZeltHost::Options{"", 1033, city});
        view = zsys::ComPtr<ZeltCore::IHostView>(&host->View());
        language = std::make_shared<LangLocal>(TheModule().Instance());

        // Every tenth company has a note.
        host::CityDatabase database(city);
        std::mt19937 random(2026);
        std::uniform_int_distribution<int> categoryCount(0, 3), category(0, 17);
        for (int i = 0; i < kNotes; ++i) {
            const std::int32_t key = 1 + i * (kCompanies / kNotes);
            NoteSample s{key,
                         database.Find(host::CityDatabase::Type::Company, key)->stableId,
                         bench::MakeNoteText(random),
                         {}};
            for (int c = categoryCount(random); c > 0; --c)
                s.categories.push_back(category(random));
            samples.push_back(std::move(s));
        }

        Categories categories(language);
        NoteCollection notes(Table());
        Fill(notes);
        NotesStore store(notes, categories, view, language, nullptr);
        notesFile = store.NotesFilePath();
        fs::create_directories(fs::path(ToUtf8(notesFile)).parent_path());
        store.WriteNotes(notesFile);
        notesFileSize = fs::file_size(ToUtf8(notesFile));
        writeTarget = FromUtf8((folder / "export.xml").string());
        WriteLegacyFile();
    }
    ~World() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void WriteLegacyFile() {
        // One statement a line in code page 1251: texts with "\n" for line feeds, and categories.
        UErrorCode status = U_ZERO_ERROR;
        UConverter* cp1251 = ucnv_open("windows-1251", &status);
        std::string bytes;
        for (const NoteSample& s : samples) {
            std::u16string text = s.text;
            for (std::size_t p = 0; (p = text.find(u'\n', p)) != std::u16string::npos;)
                text.replace(p, 1, u"\\n");
            std::string encoded(text.size() * 2 + 1, '\0');
            status = U_ZERO_ERROR;
            const int32_t n = ucnv_fromUChars(cp1251, encoded.data(), int32_t(encoded.size()), text.data(),
                                              int32_t(text.size()), &status);
            encoded.resize(n);
            bytes += std::to_string(s.stableId) + "_t: " + encoded + "\r\n";
            if (!s.categories.empty()) {
                bytes += std::to_string(s.stableId) + "_c:";
                for (int c : s.categories)
                    bytes += " " + std::to_string(c);
                bytes += "\r\n";
            }
        }
        ucnv_close(cp1251);
        const fs::path path = folder / "Bench.dns";
        std::ofstream(path, std::ios::binary) << bytes;
        legacyFile = FromUtf8(path.string());
        legacyFileSize = bytes.size();
    }

public:
    zsys::ComPtr<ZeltCore::IHostTable> Table() const {
        zsys::ComPtr<ZeltCore::IHostDatabase> database;
        view->Database(database.put());
        zsys::ComPtr<IUnknown> table;
        database->Table(zsys::Bstr(u"zelt_org").get(), table.put());
        return table.as<ZeltCore::IHostTable>();
    }
    void Fill(NoteCollection& notes) const {
        for (const NoteSample& s : samples) {
            CollectionElement note;
            note.SetId(s.stableId);
            note.SetText(s.text);
            for (int c : s.categories)
                note.AddCategory(c);
            notes.Set(s.key, std::move(note));
        }
    }
};

void BM_PugiParseWalk(benchmark::State& state) {
    World& w = World::Get();
    const std::string path = ToUtf8(w.notesFile);
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_file(path.c_str(), kNotesParse)) state.SkipWithError("parse failed");
        long sum = 0;
        for (pugi::xml_node note : doc.first_child().children("Note")) {
            sum += note.child("id").text().as_int();
            sum += static_cast<long>(std::strlen(note.child("comment").child("text").child_value()));
            for (pugi::xml_node color : note.child("marker").children())
                sum += color.text().as_int();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * w.notesFileSize);
}

void BM_LoadNotes(benchmark::State& state) {
    World& w = World::Get();
    Categories categories(w.language);
    auto notes = std::make_unique<NoteCollection>(w.Table());
    auto store = std::make_unique<NotesStore>(*notes, categories, w.view, w.language, nullptr);

    // What one load costs in memory above what the process held before it.
    const bench::PeakMemory memory;
    store->LoadAtStartup();
    const long grown = memory.Kilobytes();
    if (notes->Count() != kNotes) state.SkipWithError("not every note was loaded");

    for (auto _ : state) {
        // Each load starts as the plug-in does, with no notes in memory; the notes of the load
        // before go untimed.
        state.PauseTiming();
        store.reset();
        notes = std::make_unique<NoteCollection>(w.Table());
        store = std::make_unique<NotesStore>(*notes, categories, w.view, w.language, nullptr);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store->LoadAtStartup());
    }
    state.SetBytesProcessed(state.iterations() * w.notesFileSize);
    state.counters["file_MB"] = double(w.notesFileSize) / 1e6;
    state.counters["load_peak_MB"] = double(grown) / 1e3;
    state.counters["peak_per_file_size"] = double(grown) * 1e3 / double(w.notesFileSize);
}

void BM_PugiBuildSave(benchmark::State& state) {
    World& w = World::Get();
    // The texts as the library takes them, converted beforehand: the floor does no conversion.
    std::vector<std::string> texts;
    for (const NoteSample& s : w.samples)
        texts.push_back(ToUtf8(s.text));
    const std::string path = (w.folder / "floor.xml").string();
    for (auto _ : state) {
        pugi::xml_document doc;
        pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        pugi::xml_node root = doc.append_child("DirectoryNotes");
        root.append_child("MapName").text() = "Bench";
        pugi::xml_node names = root.append_child("Categories");
        for (int i = 0; i < 18; ++i)
            names.append_child("Category").text() = "red";
        for (std::size_t i = 0; i < w.samples.size(); ++i) {
            pugi::xml_node note = root.append_child("Note");
            note.append_child("id").text() = w.samples[i].stableId;
            note.append_child("comment")
                .append_child("text")
                .append_child(pugi::node_cdata)
                .set_value(texts[i].c_str());
            if (!w.samples[i].categories.empty()) {
                pugi::xml_node marker = note.append_child("marker");
                for (int c : w.samples[i].categories)
                    marker.append_child("color").text() = c;
            }
        }
        std::FILE* file = std::fopen(path.c_str(), "wb");
        CrLfFileWriter writer(file);
        doc.save(writer, "    ", pugi::format_indent, pugi::encoding_utf8);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * w.notesFileSize);
}

void BM_WriteNotes(benchmark::State& state) {
    World& w = World::Get();
    Categories categories(w.language);
    NoteCollection notes(w.Table());
    w.Fill(notes);
    NotesStore store(notes, categories, w.view, w.language, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.WriteNotes(w.writeTarget));
    state.SetBytesProcessed(state.iterations() * w.notesFileSize);
}

void BM_LegacyImport(benchmark::State& state) {
    World& w = World::Get();
    for (auto _ : state) {
        NoteCollection notes(w.Table());
        if (ImportLegacyNotes(w.legacyFile, notes, 18) != std::size_t(kNotes))
            state.SkipWithError("notes lost");
    }
    state.SetBytesProcessed(state.iterations() * w.legacyFileSize);
    state.counters["lines"] = double(kNotes);
}

// A change as the journal takes it: a note of a 200-character text and 3 categories.
ChangeJournal::Change TypicalChange() {
    ChangeJournal::Change change;
    CollectionElement& note = change.notes.emplace_back();
    note.SetId(1001);
    note.SetText(std::u16string(200, u'n'));
    for (const int category : {3, 11, 17})
        note.AddCategory(category);
    return change;
}

// One record appended to a journal, without (Arg 0) or with (Arg 1) the flush that makes it last.
void JournalAppend(benchmark::State& state, bool synced) {
    World& w = World::Get();
    std::optional<ChangeJournal> journal = ChangeJournal::Create((w.folder / "append.xml").string());
    if (!journal) return state.SkipWithError("no journal");
    const ChangeJournal::Change change = TypicalChange();
    std::int64_t appended = 0;
    for (auto _ : state) {
        if (!journal->Append(change, synced)) state.SkipWithError("append failed");
        if (++appended % 10000 == 0) { // the journal stays the size a session's would
            state.PauseTiming();
            journal->Clear();
            state.ResumeTiming();
        }
    }
    journal->Remove();
    state.SetItemsProcessed(state.iterations());
}
void BM_JournalAppend(benchmark::State& state) {
    JournalAppend(state, false);
}
void BM_JournalAppendSynced(benchmark::State& state) {
    JournalAppend(state, true);
}

// A start that finds no notes file and a dead host's journal of one record per note.
void BM_ReplayJournal(benchmark::State& state) {
    World& w = World::Get();
    const std::string notesFile = ToUtf8(w.notesFile), aside = notesFile + ".bench-aside";
    const fs::path model = w.folder / "model-journal";
    {
        std::optional<ChangeJournal> journal = ChangeJournal::Create(notesFile);
        for (const NoteSample& s : w.samples) {
            ChangeJournal::Change change;
            CollectionElement& note = change.notes.emplace_back();
            note.SetId(s.stableId);
            note.SetText(s.text);
            for (int c : s.categories)
                note.AddCategory(c);
            journal->Append(change, false);
        }
        fs::rename(journal->Path(), model);
    }
    const fs::path dead = notesFile + ".journal-dead";
    fs::rename(notesFile, aside);
    Categories categories(w.language);
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(model, dead, fs::copy_options::overwrite_existing);
        auto notes = std::make_unique<NoteCollection>(w.Table());
        auto store = std::make_unique<NotesStore>(*notes, categories, w.view, w.language, nullptr);
        state.ResumeTiming();
        if (store->LoadAtStartup() != std::size_t(kNotes)) state.SkipWithError("notes lost");
        state.PauseTiming();
        store.reset();
        notes.reset();
        fs::remove(dead);
        state.ResumeTiming();
    }
    fs::rename(aside, notesFile);
    state.counters["journal_MB"] = double(fs::file_size(model)) / 1e6;
    fs::remove(model);
}

// A long session's journal folded into the notes file of 100,000 notes.
void BM_Compaction(benchmark::State& state) {
    World& w = World::Get();
    Categories categories(w.language);
    NoteCollection notes(w.Table());
    NotesStore store(notes, categories, w.view, w.language, nullptr);
    store.LoadAtStartup();
    for (auto _ : state) {
        state.PauseTiming();
        notes.Set(w.samples[0].key, notes.Get(w.samples[0].key)); // a change for the journal
        state.ResumeTiming();
        store.Compact();
    }
    store.SaveAtEnd(); // the journal goes
    state.SetBytesProcessed(state.iterations() * w.notesFileSize);
}

BENCHMARK(BM_JournalAppend)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JournalAppendSynced)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplayJournal)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Compaction)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PugiParseWalk)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_LoadNotes)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PugiBuildSave)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_WriteNotes)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_LegacyImport)->Arg(kNotes)->Unit(benchmark::kMillisecond)->MinTime(2);
} // namespace

BENCHMARK_MAIN();
