#include "store/NoteCollection.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace {
// The notes are moved, never copied, when the collection grows or merges.
static_assert(std::is_nothrow_move_constructible_v<CollectionElement>);

bool ByKey(const std::pair<std::int32_t, CollectionElement>& a,
           const std::pair<std::int32_t, CollectionElement>& b) {
    return a.first < b.first;
}

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

std::vector<NoteCollection::Entry>::iterator NoteCollection::Find(std::int32_t key) {
    return std::lower_bound(notes_.begin(), notes_.end(), key,
                            [](const Entry& entry, std::int32_t k) { return entry.first < k; });
}

std::vector<NoteCollection::Entry>::const_iterator NoteCollection::Find(std::int32_t key) const {
    return std::lower_bound(notes_.begin(), notes_.end(), key,
                            [](const Entry& entry, std::int32_t k) { return entry.first < k; });
}

bool NoteCollection::Contains(std::int32_t key) const {
    const auto found = Find(key);
    return found != notes_.end() && found->first == key;
}

CollectionElement NoteCollection::Get(std::int32_t key) const {
    const auto found = Find(key);
    return found != notes_.end() && found->first == key ? found->second : CollectionElement();
}

void NoteCollection::Set(std::int32_t key, CollectionElement note) {
    if (note.IsEmpty()) return;
    const auto found = Find(key);
    auto stored = found;
    if (found != notes_.end() && found->first == key)
        found->second = std::move(note);
    else
        stored = notes_.emplace(found, key, std::move(note));
    if (listener_) listener_({stored->second});
}

std::size_t NoteCollection::Erase(std::int32_t key) {
    const auto found = Find(key);
    if (found == notes_.end() || found->first != key) return 0;
    CollectionElement gone;
    gone.SetId(found->second.Id());
    notes_.erase(found);
    if (listener_) listener_({gone});
    return 1;
}

void NoteCollection::ForEach(const std::function<void(std::int32_t, const CollectionElement&)>& visit) const {
    for (const auto& [key, note] : notes_)
        visit(key, note);
}

NoteCollection::Neighbourhood NoteCollection::Around(std::int32_t key) const {
    // A result page asks company after company in ascending order: the search goes on from
    // where the last one ended, galloping, so that each costs a step or two, not a search of
    // the whole collection. Any other order falls back to the whole search.
    auto at = notes_.begin();
    if (aroundHint_ < notes_.size() && notes_[aroundHint_].first <= key) {
        std::size_t low = aroundHint_, step = 1;
        while (low + step < notes_.size() && notes_[low + step].first < key) {
            low += step;
            step *= 2;
        }
        const auto end = notes_.begin() + std::ptrdiff_t(std::min(low + step, notes_.size()));
        at = std::lower_bound(notes_.begin() + std::ptrdiff_t(low), end, key,
                              [](const Entry& entry, std::int32_t k) { return entry.first < k; });
    } else {
        at = Find(key);
    }
    aroundHint_ = std::size_t(at - notes_.begin());
    Neighbourhood around;
    if (at != notes_.end() && at->first == key) around.note = &(at++)->second;
    if (at != notes_.end()) around.next = at->first;
    return around;
}

std::size_t NoteCollection::RemoveAll() {
    std::vector<CollectionElement> gone;
    if (listener_)
        for (const auto& [key, note] : notes_) gone.emplace_back().SetId(note.Id());
    const std::size_t removed = notes_.size();
    notes_.clear();
    if (listener_ && removed > 0) listener_(gone);
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

int NoteCollection::Merge(std::vector<Entry>& arrivals, bool replace) {
    // Files list notes in key order, so the arrivals are almost always sorted already.
    if (!std::is_sorted(arrivals.begin(), arrivals.end(), ByKey))
        std::stable_sort(arrivals.begin(), arrivals.end(), ByKey);
    const bool distinct =
        std::adjacent_find(arrivals.begin(), arrivals.end(), [](const Entry& a, const Entry& b) {
            return a.first == b.first;
        }) == arrivals.end();
    std::vector<CollectionElement> changed;
    const auto tell = [&] {
        if (listener_ && !changed.empty()) listener_(changed);
    };
    if (notes_.empty() && distinct) {
        notes_ = std::move(arrivals); // a city's notes file read at start
        if (listener_)
            for (const Entry& entry : notes_)
                changed.push_back(entry.second);
        tell();
        return static_cast<int>(notes_.size());
    }

    int stored = 0;
    std::vector<Entry> merged;
    merged.reserve(notes_.size() + arrivals.size());
    auto kept = notes_.begin();
    for (auto arrival = arrivals.begin(); arrival != arrivals.end();) {
        const std::int32_t key = arrival->first;
        const auto others =
            std::find_if(arrival, arrivals.end(), [&](const Entry& e) { return e.first != key; });
        for (; kept != notes_.end() && kept->first < key; ++kept)
            merged.push_back(std::move(*kept));
        const bool known = kept != notes_.end() && kept->first == key;
        if (replace) {
            // Each arrival replaced the one before it; the last is what stays.
            stored += static_cast<int>(others - arrival);
            merged.push_back(std::move(*(others - 1)));
            if (known) ++kept;
            if (listener_) changed.push_back(merged.back().second);
        } else if (known) {
            merged.push_back(std::move(*kept++));
        } else {
            ++stored;
            merged.push_back(std::move(*arrival));
            if (listener_) changed.push_back(merged.back().second);
        }
        arrival = others;
    }
    std::move(kept, notes_.end(), std::back_inserter(merged));
    notes_ = std::move(merged);
    tell();
    return stored;
}

int NoteCollection::LoadFrom(pugi::xml_node parent, bool replace) {
    std::vector<Entry> arrivals;
    std::size_t elements = 0;
    ForEachNoteElement(parent, [&](pugi::xml_node) { ++elements; });
    arrivals.reserve(elements);
    for (pugi::xml_node node = parent.child("Note"), next; node; node = next) {
        next = node.next_sibling();
        if (node.type() == pugi::node_element) {
            CollectionElement note;
            note.Load(node);
            if (!note.IsEmpty()) arrivals.emplace_back(0, std::move(note));
        }
        parent.remove_child(node);
    }
    // The host is asked for the companies of all the notes in one run, so that its look-ups overlap
    // instead of each waiting for memory in turn.
    std::size_t resolved = 0;
    try {
        for (Entry& arrival : arrivals) {
            // A company the loaded data does not have loses its note here.
            if (const std::optional<std::int32_t> key = KeyOfStableId(arrival.second.Id()))
                arrivals[resolved++] = Entry(*key, std::move(arrival.second));
        }
    } catch (...) {
        arrivals.resize(resolved);
        Merge(arrivals, replace);
        throw;
    }
    arrivals.resize(resolved);
    return Merge(arrivals, replace);
}

int NoteCollection::ReplaceAllFrom(pugi::xml_node parent) {
    RemoveAll();
    return LoadFrom(parent, true);
}

void NoteCollection::SetAll(std::vector<Entry> notes) {
    std::erase_if(notes, [](const Entry& entry) { return entry.second.IsEmpty(); });
    Merge(notes, true);
}

void NoteCollection::Apply(std::vector<Entry> notes) {
    if (notes.empty()) return;
    Merge(notes, true); // an empty note stands in the place of the one it removes until the purge
    std::erase_if(notes_, [](const Entry& entry) { return entry.second.IsEmpty(); });
}

std::size_t NoteCollection::PurgeCategoriesOutside(std::int32_t low, std::int32_t high) {
    std::vector<CollectionElement> changed;
    const std::size_t erased = std::erase_if(notes_, [&](Entry& entry) {
        if (entry.second.RemoveCategoriesOutside(low, high) > 0 && listener_) changed.push_back(entry.second);
        return entry.second.IsEmpty();
    });
    if (listener_ && !changed.empty()) listener_(changed);
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
