// Feeds arbitrary bytes to the notes file reader as a file: read as an import list, merged into a city's
// collection as they are and wrapped in the root of the city's notes file; whatever merges must write
// out and read back the same.
#include "FuzzTable.h"
#include "platform/com/ComObject.h"
#include "platform/system/Language.h"
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/VeskNotesModule.h"
#include "hostapi/ZeltCore.h"
#include "store/Categories.h"
#include "store/NoteCollection.h"
#include "store/NotesStore.h"
#include "core/loadException.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// The key is the stable id halved (so two ids may share a key).
LONG KeyOf(LONG stableId) { return stableId / 2; }

class View : public zsys::ComObject<View, ZeltCore::IHostView, ZeltCore::IHostBase> {
public:
    HRESULT CurrentBase(ZeltCore::IHostBase** base) override {
        return zsys::ComPtr<ZeltCore::IHostBase>(this).CopyTo(base);
    }
    HRESULT Database(ZeltCore::IHostDatabase**) override { return E_NOTIMPL; }
    HRESULT Factory(ZeltCore::IHostFactory**) override { return E_NOTIMPL; }
    HRESULT Frame(ZeltCore::IHostFrame**) override { return E_NOTIMPL; }
    HRESULT Name(BSTR* name) override {
        *name = zsys::AllocBstr(u"Town");
        return S_OK;
    }
    HRESULT FilePath(BSTR* path) override {
        *path = zsys::AllocBstr(u"Data_Town.dat");
        return S_OK;
    }

private:
    ~View() override = default;
};

struct City {
    City() {
        SetThreadUILanguage(1033);
        language = std::make_shared<LangLocal>(TheModule().Instance());
        categories = std::make_unique<Categories>(language);
        notes.SetTable(zsys::ComPtr<ZeltCore::IHostTable>(table.get()));
        store = std::make_unique<NotesStore>(
            notes, *categories, zsys::ComPtr<ZeltCore::IHostView>(view.get()), language, nullptr);
    }
    zsys::ComPtr<FuzzTable> table = zsys::Make<FuzzTable>(&KeyOf);
    zsys::ComPtr<View> view = zsys::Make<View>();
    std::shared_ptr<LangLocal> language;
    std::unique_ptr<Categories> categories;
    NoteCollection notes;
    std::unique_ptr<NotesStore> store;
};

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/notes_file_fuzz.XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return folder;
}

std::u16string Put(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return FromUtf8(path);
}

bool WritesBack(const CollectionElement& note) {
    // A carriage return reads back as a line feed and a text the strict encoder refuses is written empty.
    return note.Text().find(u'\r') == std::u16string::npos &&
           (note.Text().empty() || !ToUtf8(note.Text()).empty());
}

void CheckRoundTrip(City& city) {
    const std::u16string path = FromUtf8(Folder() + "/written.xml");
    city.store->WriteNotes(path);
    City again;
    again.store->ImportReplace(path);
    std::vector<std::pair<std::int32_t, CollectionElement>> before, after;
    city.notes.ForEach([&](std::int32_t key, const CollectionElement& note) {
        if (WritesBack(note)) before.emplace_back(key, note);
    });
    again.notes.ForEach([&](std::int32_t key, const CollectionElement& note) {
        if (WritesBack(note)) after.emplace_back(key, note);
    });
    Require(after.size() <= city.notes.Count(), "no note appears from nowhere");
    for (const auto& [key, note] : before) {
        const CollectionElement read = again.notes.Get(key);
        Require(read.Text() == note.Text(), "texts read back");
        Require(read.CategoryList() == note.CategoryList(), "categories read back in order");
        Require(read.Id() == note.Id(), "stable ids read back");
    }
}

void Merge(City& city, const std::u16string& path) {
    try {
        city.store->ImportReplace(path);
    } catch (const loadException&) {
        Require(city.notes.Count() == 0, "a rejected file merges nothing");
        return;
    }
    city.notes.ForEach([](std::int32_t, const CollectionElement& note) {
        Require(!note.IsEmpty(), "no empty note is kept");
        for (const std::int32_t category : note.CategoryList())
            Require(category >= 0 && category < 18, "only known categories are kept");
    });
    CheckRoundTrip(city);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string path = Put("input.xml", data, size);
    City city;
    try {
        const NoteList list = city.store->ReadNoteList(path);
        for (const CollectionElement& note : *list)
            Require(!note.IsEmpty(), "the import list holds no empty note");
    } catch (const loadException&) {
    }
    Merge(city, path);

    std::string wrapped = "<DirectoryNotes><MapName>Town</MapName>";
    wrapped.append(reinterpret_cast<const char*>(data), size).append("</DirectoryNotes>");
    City other;
    Merge(other, Put("wrapped.xml", reinterpret_cast<const std::uint8_t*>(wrapped.data()), wrapped.size()));
    return 0;
}
