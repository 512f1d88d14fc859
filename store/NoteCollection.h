#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "store/CollectionElement.h"
#include "store/NoteList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The notes of the loaded city, keyed by the company's id in the loaded data (ascending, which is also
// the order of the notes file). Records are held by value, side by side in key order; callers get copies.
// A single note goes in or out in time proportional to the notes after it; many come in at once.
class NoteCollection {
public:
    // A collection without a company table; stable ids cannot be resolved until one is set.
    NoteCollection() = default;
    // A collection that resolves stable ids through the host's company table.
    explicit NoteCollection(zsys::ComPtr<ZeltCore::IHostTable> table);

    // Sets the company table used to resolve stable ids.
    void SetTable(zsys::ComPtr<ZeltCore::IHostTable> table);

    // Whether a note is stored for the company.
    bool Contains(std::int32_t key) const;
    // A copy of the company's note; an empty note for a company without one.
    CollectionElement Get(std::int32_t key) const;
    // Stores the note for the company, replacing an earlier one; an empty note is not stored.
    void Set(std::int32_t key, CollectionElement note);
    // Removes the company's note; returns 1 when there was one, else 0.
    std::size_t Erase(std::int32_t key);
    // The number of notes; 0 when the city has none.
    std::size_t Count() const { return notes_.size(); }
    // Visits every note in ascending key order.
    void ForEach(const std::function<void(std::int32_t key, const CollectionElement& note)>& visit) const;
    // The company's note, if it has one, and the next key after it that has a note, found with
    // one ordered lookup: the search asks this of every company of a result.
    struct Neighbourhood {
        const CollectionElement* note = nullptr; // valid until the collection changes
        std::optional<std::int32_t> next;
    };
    Neighbourhood Around(std::int32_t key) const;
    // Removes all notes; returns how many there were.
    std::size_t RemoveAll();

    // Appends one `Note` element per note to the parent, in key order; returns how many.
    std::size_t SaveAll(pugi::xml_node parent) const;
    // Merges the parent's `Note` elements (from the first one on, every following element) as if one
    // after another: notes of companies the loaded city does not have are dropped; a company's stored
    // note is replaced only when `replace` holds. Each element leaves the document once read, so that a
    // large file's document shrinks while the collection grows. Returns the number of notes stored; 0
    // when the parent has no `Note`. A host failure is raised as a COM error and keeps what was stored
    // before it.
    int LoadFrom(pugi::xml_node parent, bool replace);
    // Removes every note, then merges the parent's notes with replace.
    int ReplaceAllFrom(pugi::xml_node parent);
    // Removes the categories outside low..high from every note and erases the notes left empty; returns
    // the number erased.
    std::size_t PurgeCategoriesOutside(std::int32_t low, std::int32_t high);
    // The parent's non-empty notes in file order, without asking the host anything; an empty list when
    // the parent has no `Note`.
    static NoteList ReadList(pugi::xml_node parent);

    // The key of the company with this stable id; nothing when the loaded city does not have it. A host
    // failure, or a collection without a table, is raised as a COM error.
    std::optional<std::int32_t> KeyOfStableId(std::int32_t stableId) const;

    // Stores the notes with Set, one after another in the order given, at the cost of one pass over the
    // collection.
    void SetAll(std::vector<std::pair<std::int32_t, CollectionElement>> notes);
    // Stores each note as Set does, and removes the company's note where the one given is empty, at the
    // cost of one pass over the collection.
    void Apply(std::vector<std::pair<std::int32_t, CollectionElement>> notes);

    // Told once per operation that changed notes, after it: the companies' notes as they now are, by
    // stable id, an empty one for a company whose note went. None is told while none is set.
    using ChangeListener = std::function<void(const std::vector<CollectionElement>& changed)>;
    void SetChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

private:
    using Entry = std::pair<std::int32_t, CollectionElement>;
    std::vector<Entry>::iterator Find(std::int32_t key);
    std::vector<Entry>::const_iterator Find(std::int32_t key) const;
    // Takes the arrivals into the collection as if each were stored in turn: where `replace` holds the
    // last one of a key wins over everything, else a stored note or the first arrival of a key stays.
    // Returns how many were stored.
    int Merge(std::vector<Entry>& arrivals, bool replace);

    std::vector<Entry> notes_;
    // Where the last Around ended; only a place to start from, checked before it is used.
    mutable std::size_t aroundHint_ = 0;
    zsys::ComPtr<ZeltCore::IHostTable> table_;
    ChangeListener listener_;
};
