#include "store/NotesStore.h"

#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/loadException.h"
#include "resources/ResourceIds.h"
#include "store/Categories.h"
#include "store/LegacyNotesImport.h"
#include "store/NoteCollection.h"
#include "store/NotesFile.h"
#include "store/XmlText.h"

#include <cassert>
#include <utility>

namespace {
pugi::xml_node FirstElement(pugi::xml_node parent) {
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_element) return node;
    return {};
}
} // namespace

NotesStore::NotesStore(NoteCollection& notes, Categories& categories, zsys::ComPtr<ZeltCore::IHostView> view,
                       std::shared_ptr<const LangLocal> language, std::function<void()> notesChanged)
    : notes_(notes), categories_(categories), view_(std::move(view)), language_(std::move(language)),
      notesChanged_(std::move(notesChanged)) {
    assert(language_);
}

std::u16string NotesStore::CityName() const {
    zsys::ComPtr<ZeltCore::IHostBase> base;
    zsys::CheckOn<ZeltCore::IHostView>(zsys::Required(view_)->CurrentBase(base.put()));
    zsys::Bstr name;
    zsys::CheckOn<ZeltCore::IHostBase>(zsys::Required(base)->Name(name.put()));
    return name.str();
}

std::u16string NotesStore::NotesFilePath() const {
    return NotesFile::PathFor(view_.get());
}

std::size_t NotesStore::WriteNotes(std::u16string_view path) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = document.append_child("DirectoryNotes");
    root.append_child("MapName").text().set(ToUtf8(CityName()).c_str());
    categories_.Save(root);
    const std::size_t written = notes_.SaveAll(root);

    // The file that could not be read at start still holds notes nobody has seen; it is kept, not
    // overwritten.
    const bool keepAside = !unreadable_.empty() && path == unreadable_;
    NotesFile::Write(document, path, *language_, keepAside);
    if (keepAside) unreadable_.clear();
    return written;
}

int NotesStore::Merge(const pugi::xml_document& document, Mode mode) {
    const std::u16string city = CityName();
    const pugi::xml_node root = FirstElement(document);
    const pugi::xml_node mapName = root.child("MapName");
    if (!mapName) throw loadException(language_->LoadString(IDS_NOT_NOTES));
    std::string scratch;
    const auto fileCity = ElementText(mapName, scratch);
    if (!fileCity || city.empty() || FromUtf8(*fileCity) != city)
        throw loadException(language_->LoadString(IDS_LOAD_FAILED) + language_->LoadString(IDS_OTHER_CITY) +
                            city + u".");

    int taken = 0;
    switch (mode) {
    case Mode::Load:
        categories_.Load(root);
        taken = notes_.ReplaceAllFrom(root);
        break;
    case Mode::Keep:
        taken = notes_.LoadFrom(root, false);
        break;
    case Mode::Replace:
        categories_.Load(root);
        taken = notes_.LoadFrom(root, true);
        break;
    }
    // Notes of categories this version does not know are dropped; a note left with nothing goes entirely.
    const std::size_t erased = notes_.PurgeCategoriesOutside(0, categories_.CategoryCount() - 1);
    const int result = taken - static_cast<int>(erased);
    if ((result >= 1 || erased > 0) && notesChanged_) notesChanged_();
    return result;
}

int NotesStore::MergeFile(std::u16string_view path, Mode mode) {
    pugi::xml_document document;
    NotesFile::Read(path, *language_, document);
    return Merge(document, mode);
}

int NotesStore::ImportReplace(std::u16string_view path) {
    return MergeFile(path, Mode::Replace);
}

int NotesStore::ImportKeep(std::u16string_view path) {
    return MergeFile(path, Mode::Keep);
}

NoteList NotesStore::ReadNoteList(std::u16string_view path) const {
    pugi::xml_document document;
    NotesFile::Read(path, *language_, document);
    NoteList list = NoteCollection::ReadList(FirstElement(document));
    const int last = categories_.CategoryCount() - 1;
    std::erase_if(*list, [&](CollectionElement& note) {
        note.RemoveCategoriesOutside(0, last);
        return note.IsEmpty();
    });
    return list;
}

bool NotesStore::NoConflicts(const NoteList& list) const {
    if (!list) return true;
    for (const CollectionElement& note : *list) {
        std::int32_t key = 0;
        try {
            key = notes_.KeyOfStableId(note.Id()).value_or(0);
        } catch (...) {
            key = 0; // a company the host cannot tell about counts as key 0, like an unknown one
        }
        if (notes_.Contains(key) && !(notes_.Get(key) == note)) return false;
    }
    return true;
}

std::size_t NotesStore::LoadAtStartup() {
    std::u16string path;
    int loaded = 0;
    try {
        path = NotesFilePath();
        NotesFile::RemoveStaleTemporaries(path);
        const bool existed = NotesFile::Exists(path);
        try {
            loaded = MergeFile(path, Mode::Load);
        } catch (...) {
            if (existed) unreadable_ = path;
            throw;
        }
    } catch (...) {
        loaded = 0; // the city starts with what could be read
    }
    if (loaded == 0 && !NotesFile::Exists(path))
        return ImportLegacyNotes(NotesFile::LegacyPathFor(view_.get()), notes_, categories_.CategoryCount());
    return notes_.Count();
}

bool NotesStore::SaveAtEnd() noexcept {
    try {
        if (!NotesFile::EnsureFolder(NotesFile::Folder())) return false;
        WriteNotes(NotesFilePath());
        return true;
    } catch (...) {
        return false;
    }
}
