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

#include <algorithm>
#include <cassert>
#include <exception>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

NotesStore::~NotesStore() {
    Listen(false);
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
    const Batch batch(*this);
    return MergeFile(path, Mode::Replace);
}

int NotesStore::ImportKeep(std::u16string_view path) {
    const Batch batch(*this);
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
        // Taken before the read: a file replaced meanwhile is merged again at the end, never overwritten.
        known_ = FileState::Of(ToAnsi(path));
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
    std::exception_ptr failure;
    try {
        if (loaded == 0 && !NotesFile::Exists(path))
            ImportLegacyNotes(NotesFile::LegacyPathFor(view_.get()), notes_, categories_.CategoryCount());
    } catch (...) {
        failure = std::current_exception();
    }
    if (!path.empty()) {
        journalBeside_ = ToAnsi(path);
        ReplayDeadJournals();
        Listen(true);
    }
    if (failure) std::rethrow_exception(failure);
    return notes_.Count();
}

void NotesStore::ReplayDeadJournals() {
    adopted_ = ChangeJournal::TakeOverDead(journalBeside_);
    std::optional<std::vector<std::u16string>> names;
    std::vector<CollectionElement> replayed;
    for (const ChangeJournal& journal : adopted_) {
        const auto ending = journal.Read([&](ChangeJournal::Change&& change) {
            if (change.names) names = std::move(change.names);
            std::move(change.notes.begin(), change.notes.end(), std::back_inserter(replayed));
        });
        adoptedDamaged_.push_back(ending == ChangeJournal::Ending::Damaged);
    }
    if (!names && replayed.empty()) return;
    try {
        if (names) {
            for (std::size_t i = 0; i < names->size(); ++i)
                categories_.SetName(static_cast<int>(i), (*names)[i]);
            namesChangedHere_ = true;
        }
        std::vector<std::pair<std::int32_t, CollectionElement>> resolved;
        resolved.reserve(replayed.size());
        for (CollectionElement& note : replayed) {
            changedHere_.insert(note.Id());
            // A company the loaded data does not have loses its note here, as when the file is read.
            if (const std::optional<std::int32_t> key = notes_.KeyOfStableId(note.Id()))
                resolved.emplace_back(*key, std::move(note));
        }
        notes_.Apply(std::move(resolved));
    } catch (...) {
        // The host could not tell the companies: the journals are let go for a later start to replay.
        adopted_.clear();
        adoptedDamaged_.clear();
        return;
    }
    if (notesChanged_) notesChanged_();
}

void NotesStore::Listen(bool on) {
    if (!on) {
        notes_.SetChangeListener(nullptr);
        categories_.SetChangeListener(nullptr);
        return;
    }
    notes_.SetChangeListener(
        [this](const std::vector<CollectionElement>& changed) { NotesChanged(changed); });
    categories_.SetChangeListener([this] {
        pending_.names = categories_.Names();
        namesChangedHere_ = true;
        if (batches_ == 0) FlushJournal();
    });
}

void NotesStore::NotesChanged(const std::vector<CollectionElement>& changed) {
    for (const CollectionElement& note : changed) {
        changedHere_.insert(note.Id());
        pending_.notes.push_back(note);
    }
    if (batches_ == 0) FlushJournal();
}

void NotesStore::FlushJournal() noexcept {
    if (pending_.Empty()) return;
    try {
        if (!journal_ && NotesFile::EnsureFolder(NotesFile::Folder()))
            if (std::optional<ChangeJournal> made = ChangeJournal::Create(journalBeside_))
                journal_.emplace(std::move(*made));
        const std::uint64_t limit =
            std::max<std::uint64_t>(kCompactionFloor, std::max<off_t>(known_.size, 0));
        if (journal_ && journal_->Append(pending_)) {
            pending_ = ChangeJournal::Change();
            if (journal_->Size() <= limit) return;
        }
        // A long journal is folded into the notes file. Where no journal took the change (a folder that
        // cannot lock files, a failing write), the notes file itself is written now: slower, but the
        // change the host is told is done is on disk all the same.
        Compact();
        pending_ = ChangeJournal::Change();
    } catch (...) {
        // Not even the file could be written: the change stays pending and goes with the next one that
        // can be written, or with the end.
    }
}

NotesStore::FileState NotesStore::FileState::Of(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
    return {info.st_dev, info.st_ino, info.st_size,
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

void NotesStore::MergeFromDisk(const std::u16string& path) {
    pugi::xml_document document;
    NotesFile::Read(path, *language_, document);
    const pugi::xml_node root = FirstElement(document);
    std::string scratch;
    const auto fileCity = ElementText(root.child("MapName"), scratch);
    if (!fileCity || FromUtf8(*fileCity) != CityName()) return; // not this city's notes: nothing to take

    if (!namesChangedHere_) categories_.Load(root);
    const NoteList theirs = NoteCollection::ReadList(root);
    std::unordered_set<std::int32_t> onDisk;
    std::vector<std::pair<std::int32_t, CollectionElement>> taken;
    for (const CollectionElement& note : *theirs) {
        onDisk.insert(note.Id());
        if (changedHere_.contains(note.Id())) continue;
        if (const std::optional<std::int32_t> key = notes_.KeyOfStableId(note.Id()))
            taken.emplace_back(*key, note);
    }
    // A note the other host removed is gone here too, unless this host changed it.
    notes_.ForEach([&](std::int32_t key, const CollectionElement& note) {
        if (!changedHere_.contains(note.Id()) && !onDisk.contains(note.Id()))
            taken.emplace_back(key, CollectionElement());
    });
    notes_.Apply(std::move(taken));
    notes_.PurgeCategoriesOutside(0, categories_.CategoryCount() - 1);
}

void NotesStore::WriteMerged(const std::u16string& path, bool ending) {
    const std::string file = ToAnsi(path);
    // Hosts of one city write its file one at a time, so that each merges what the other wrote; the
    // folder itself is the lock, which leaves nothing behind.
    const FileDescriptor lock(::open(NotesFile::FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.valid()) ::flock(lock.get(), LOCK_EX);
    const bool listening = !journalBeside_.empty();
    Listen(false);
    try {
        // Three ways, company by company and name by name: what this host did not change since the file
        // it knows takes what is on disk now; what it changed stays its own. Where both hosts changed
        // a company, the later writer wins.
        if (listening && unreadable_.empty() && FileState::Of(file) != known_) {
            try {
                MergeFromDisk(path);
            } catch (const zsys::ComError&) {
                throw;
            } catch (...) {
                // A file that cannot be read now still holds notes nobody has seen: kept aside, as
                // one unreadable at start, and this host's notes are written in its place.
                unreadable_ = path;
            }
        }
        WriteNotes(path);
    } catch (...) {
        Listen(listening);
        throw;
    }
    Listen(listening && !ending);
    known_ = FileState::Of(file);
    changedHere_.clear();
    namesChangedHere_ = false;
    // The changes are in the file now: the journals go, a damaged one kept aside.
    if (journal_) {
        if (ending) {
            journal_->Remove();
            journal_.reset();
        } else {
            journal_->Clear();
        }
    }
    for (std::size_t i = 0; i < adopted_.size(); ++i)
        adopted_[i].Remove(adoptedDamaged_[i]);
    adopted_.clear();
    adoptedDamaged_.clear();
}

void NotesStore::Compact() {
    WriteMerged(NotesFilePath(), false);
}

bool NotesStore::SaveAtEnd() noexcept {
    try {
        if (!NotesFile::EnsureFolder(NotesFile::Folder())) return false;
        WriteMerged(NotesFilePath(), true);
        return true;
    } catch (...) {
        return false;
    }
}
