// Feeds arbitrary bytes to the legacy notes import as a file: whatever it takes over is a valid note.
#include "FuzzTable.h"
#include "platform/com/ComObject.h"
#include "core/TextFunctions.h"
#include "hostapi/ZeltCore.h"
#include "store/LegacyNotesImport.h"
#include "store/NoteCollection.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

namespace {
// The key is the stable id modulo 1000 (so 0 occurs too).
LONG KeyOf(LONG stableId) { return stableId % 1000; }

const std::string& Path() {
    static const std::string path = [] {
        char pattern[] = "/tmp/legacy_notes_fuzz.XXXXXX";
        return std::string(mkdtemp(pattern)) + "/Town.dns";
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(Path(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    auto table = zsys::Make<FuzzTable>(&KeyOf);
    NoteCollection notes(zsys::ComPtr<ZeltCore::IHostTable>(table.get()));
    const std::size_t count = ImportLegacyNotes(FromUtf8(Path()), notes, 18);
    Require(count == notes.Count(), "the result is the number of notes");
    notes.ForEach([](std::int32_t key, const CollectionElement& note) {
        Require(key != 0, "no note for key 0");
        Require(!note.IsEmpty(), "no empty note");
        Require(note.Id() != 0 && note.Id() % 3 != 0, "only notes of known companies");
        const std::u16string& text = note.Text();
        Require(text.empty() || (text.back() != u' ' && text.back() != u'\r' && text.back() != u'\n' &&
                                 text.back() != u'\t'),
                "texts are trimmed");
        std::set<std::int32_t> seen;
        for (const std::int32_t category : note.CategoryList())
            Require(category >= 0 && category < 18 && seen.insert(category).second,
                    "distinct known categories");
    });
    return 0;
}
