// Feeds arbitrary bytes to the legacy notes import as a file: whatever it takes over is a valid note.
#include "platform/com/ComObject.h"
#include "plugin/TextFunctions.h"
#include "plugin/ZeltCore.h"
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
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Companies have stable ids not divisible by 3; the key is the id modulo 1000 (so 0 occurs too).
class Table : public zsys::ComObject<Table, ZeltCore::IHostTable> {
public:
    HRESULT ObjectByStableId(LONG stableId, ZeltCore::IHostDirObject** object) override {
        *object = nullptr;
        if (stableId % 3 == 0) return S_FALSE;
        *object = zsys::Make<Company>(stableId % 1000).detach();
        return S_OK;
    }

private:
    class Company : public zsys::ComObject<Company, ZeltCore::IHostDirObject> {
    public:
        explicit Company(LONG key) : key_(key) {}
        HRESULT Id(LONG* id) override {
            *id = key_;
            return S_OK;
        }
        HRESULT Type(BSTR*) override { return E_NOTIMPL; }
        HRESULT Attribute(BSTR, VARIANT*) override { return E_NOTIMPL; }

    private:
        ~Company() override = default;
        LONG key_;
    };
    ~Table() override = default;
};

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
    auto table = zsys::Make<Table>();
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
