#pragma once

#include "store/CollectionElement.h"
#include "store/FileDescriptor.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One host's record of the changes it made to a city's notes since the notes file was last written,
// kept beside that file and locked while the host lives, so that a crash loses no change the host was
// told is done. Records are framed by their length and a checksum; each holds the state after a change,
// never a difference, so that reading a record twice changes nothing.
class ChangeJournal {
public:
    // What one change leaves: the category names after it, if they changed, and the whole notes of the
    // companies it touched by stable id (an empty note for a company whose note went).
    struct Change {
        std::optional<std::vector<std::u16string>> names;
        std::vector<CollectionElement> notes;
        bool Empty() const { return !names && notes.empty(); }
    };
    // How a read ended.
    enum class Ending { Whole, TornTail, Damaged };

    ChangeJournal(ChangeJournal&&) noexcept = default;
    ChangeJournal& operator=(ChangeJournal&&) = delete;

    // A new journal of this host's beside the notes file `notesFile`, locked for as long as it lives;
    // nothing when it cannot be made.
    static std::optional<ChangeJournal> Create(const std::string& notesFile);
    // The journals beside the notes file whose hosts are gone (their lock was free), locked now, the
    // oldest first. Journals kept aside are not among them.
    static std::vector<ChangeJournal> TakeOverDead(const std::string& notesFile);

    // Appends one change; with `sync`, returns only once it is on disk. False, leaving the journal as it
    // was, when it cannot be written.
    bool Append(const Change& change, bool sync = true);
    // Hands every record from the start to `visit`, in order. A short or bad last record was never
    // acknowledged and is dropped (TornTail); a bad record before the end is passed over to the next whole
    // record (Damaged).
    Ending Read(const std::function<void(Change&&)>& visit) const;
    // The journal's size in bytes.
    std::uint64_t Size() const { return size_; }
    const std::string& Path() const { return path_; }
    // Empties the journal once its changes are in the notes file; false when it cannot.
    bool Clear();
    // Removes the journal's file once its changes are in the notes file; with `keepAside`, a journal
    // that could not be read whole is kept under a free name instead (its name followed by
    // ".unreadable", "-2", "-3"...), as an unreadable notes file is.
    void Remove(bool keepAside = false);

    // A change as a record's payload, and back; false for a payload that is no change.
    static std::string Encode(const Change& change);
    static bool Decode(std::string_view payload, Change& change);

private:
    static void EncodeInto(const Change& change, std::string& out);
    ChangeJournal(std::string path, FileDescriptor file, std::uint64_t size)
        : path_(std::move(path)), file_(std::move(file)), size_(size) {}

    std::string path_;
    FileDescriptor file_;
    std::uint64_t size_;
    std::string record_;
};
