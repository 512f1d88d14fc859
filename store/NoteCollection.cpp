#include "store/NoteCollection.h"

#include <utility>

namespace {
// The notes of a parent: its first `Note` element and every element after it, whatever its name.
template <class Visit> void ForEachNoteElement(pugi::xml_node parent, Visit&& visit) {
    for (pugi::xml_node node = parent.child("Note"); node; node = node.next_sibling())
        if (node.type() == pugi::node_element) visit(node);
}
} // namespace

NoteCollection::NoteCollection(zsys::ComPtr<ZeltCore::IHostTable> table) : table_(std::move(table)) {}

void NoteCollection::SetTable(zsys::ComPtr<ZeltCore::IHostTable> table) {
    table_ = std::move(table);
}

bool NoteCollection::Contains(std::int32_t key) const {
    return notes_.contains(key);
}

CollectionElement NoteCollection::Get(std::int32_t key) const {
    const auto found = notes_.find(key);
    return found == notes_.end() ? CollectionElement() : found->second;
}

void NoteCollection::Set(std::int32_t key, CollectionElement note) {
    if (note.IsEmpty()) return;
    notes_.insert_or_assign(key, std::move(note));
}

std::size_t NoteCollection::Erase(std::int32_t key) {
    return notes_.erase(key);
}

void NoteCollection::ForEach(const std::function<void(std::int32_t, const CollectionElement&)>& visit) const {
    for (const auto& [key, note] : notes_)
        visit(key, note);
}

std::optional<std::int32_t> NoteCollection::KeyAfter(std::int32_t key) const {
    const auto next = notes_.upper_bound(key);
    if (next == notes_.end()) return std::nullopt;
    return next->first;
}

NoteCollection::Neighbourhood NoteCollection::Around(std::int32_t key) const {
    Neighbourhood around;
    auto at = notes_.lower_bound(key);
    if (at != notes_.end() && at->first == key) around.note = &(at++)->second;
    if (at != notes_.end()) around.next = at->first;
    return around;
}

std::size_t NoteCollection::RemoveAll(const std::function<void(std::int32_t)>& callback) {
    for (const auto& [key, note] : notes_)
        callback(note.Id());
    const std::size_t removed = notes_.size();
    notes_.clear();
    return removed;
}

std::size_t NoteCollection::SaveAll(pugi::xml_node parent) const {
    for (const auto& [key, note] : notes_)
        note.Save(parent.append_child("Note"));
    return notes_.size();
}

std::optional<std::int32_t> NoteCollection::KeyOfStableId(std::int32_t stableId) const {
    zsys::ComPtr<ZeltCore::IHostDirObject> company;
    zsys::CheckOn<ZeltCore::IHostTable>(zsys::Required(table_)->ObjectByStableId(stableId, company.put()));
    if (!company) return std::nullopt;
    LONG key = 0;
    zsys::CheckOn<ZeltCore::IHostDirObject>(company->Id(&key));
    return key;
}

int NoteCollection::LoadFrom(pugi::xml_node parent, bool replace) {
    int stored = 0;
    // Files list notes in key order, so the place of a note is almost always right after the previous
    // one's: found without a search, and inserted there without one.
    auto previous = notes_.end();
    ForEachNoteElement(parent, [&](pugi::xml_node element) {
        CollectionElement note;
        note.Load(element);
        if (note.IsEmpty()) return;
        const std::optional<std::int32_t> key = KeyOfStableId(note.Id());
        if (!key) return; // the company is not in the loaded data: its note is dropped
        auto place = previous == notes_.end() ? notes_.begin() : std::next(previous);
        const bool inOrder = (previous == notes_.end() || previous->first < *key) &&
                             (place == notes_.end() || place->first >= *key);
        if (!inOrder) place = notes_.lower_bound(*key);
        if (place != notes_.end() && place->first == *key) {
            previous = place;
            if (!replace) return;
            place->second = std::move(note);
        } else {
            previous = notes_.emplace_hint(place, *key, std::move(note));
        }
        ++stored;
    });
    return stored;
}

int NoteCollection::ReplaceAllFrom(pugi::xml_node parent) {
    notes_.clear();
    return LoadFrom(parent, true);
}

std::size_t NoteCollection::PurgeCategoriesOutside(std::int32_t low, std::int32_t high) {
    std::size_t erased = 0;
    for (auto entry = notes_.begin(); entry != notes_.end();) {
        entry->second.RemoveCategoriesOutside(low, high);
        if (entry->second.IsEmpty()) {
            entry = notes_.erase(entry);
            ++erased;
        } else {
            ++entry;
        }
    }
    return erased;
}

NoteList NoteCollection::ReadList(pugi::xml_node parent) {
    auto list = std::make_shared<std::vector<CollectionElement>>();
    ForEachNoteElement(parent, [&](pugi::xml_node element) {
        CollectionElement note;
        note.Load(element);
        if (!note.IsEmpty()) list->push_back(std::move(note));
    });
    return list;
}
