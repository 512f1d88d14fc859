#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "store/ChangeJournal.h"
#include "store/NoteList.h"

#include <pugixml.hpp>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unordered_set>
#include <vector>

class Categories;
class LangLocal;
class NoteCollection;

// The city's notes on disk: the notes file read at start and written at the end, the journal that keeps
// every change in between, export, the two kinds of import and the legacy file. Works on the
// controller's collection and category table, which outlive it.
class NotesStore {
public:
    // `notesChanged` is called whenever a merge took or erased notes, so that shown results can follow.
    NotesStore(NoteCollection& notes, Categories& categories, zsys::ComPtr<ZeltCore::IHostView> view,
               std::shared_ptr<const LangLocal> language, std::function<void()> notesChanged);
    NotesStore(const NotesStore&) = delete;
    NotesStore& operator=(const NotesStore&) = delete;
    // The collection and the table outlive the store: they stop telling it their changes.
    ~NotesStore();

    // Writes the city's name, the category names and every note to the file; returns the number of notes.
    // Raises tstd::umsgexception when the file cannot be written; host failures as COM errors.
    std::size_t WriteNotes(std::u16string_view path);
    // Merges a file of this city: its category names and notes win. Returns the notes taken minus those
    // erased for having only unknown categories. Raises loadException (memory unchanged) for a file that
    // cannot be read, is no notes file or belongs to another city.
    int ImportReplace(std::u16string_view path);
    // Merges a file of this city into companies without a note; category names stay. Returns and raises
    // as ImportReplace.
    int ImportKeep(std::u16string_view path);
    // The file's notes with their unknown categories removed, without merging (any city's file will do);
    // raises loadException.
    NoteList ReadNoteList(std::u16string_view path) const;
    // False when merging the list would change a company's stored note; true for an empty list.
    bool NoConflicts(const NoteList& list) const;

    // Reads the city's notes file in place of the notes in memory, after removing the temporary files
    // that killed writers left beside it; when nothing could be loaded and the city has no notes file,
    // takes over its legacy file. Then replays the journals of hosts that ended without writing the file,
    // and from here on journals every change. Returns the number of notes afterwards. Read
    // errors are swallowed; host failures from the legacy import are raised as COM errors.
    std::size_t LoadAtStartup();
    // Writes the notes to the city's notes file, creating its folder, then removes the journals it
    // holds; a notes file that could not be read at start is kept aside under a new name once the new
    // file is complete. Every error is swallowed: false when nothing was written.
    bool SaveAtEnd() noexcept;

    // Folds the journal into the notes file now, as a long session does by itself: writes the file
    // (merged with another host's writes) and empties the journal. Raises as WriteNotes does.
    void Compact();

    // While one lives, the changes made are journaled as one record when the outermost one ends, so that
    // after a crash an operation of many changes is wholly there or wholly absent.
    class Batch {
    public:
        explicit Batch(NotesStore& store) : store_(store) { ++store_.batches_; }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        ~Batch() {
            if (--store_.batches_ == 0) store_.FlushJournal();
        }

    private:
        NotesStore& store_;
    };

    // A journal outgrowing the notes file, or this many bytes when the file is smaller, is folded into
    // the notes file.
    static constexpr std::uint64_t kCompactionFloor = 1u << 20;

    // The loaded city's display name; raises a COM error on a host failure.
    std::u16string CityName() const;
    // The loaded city's notes file; empty when the application-data folder is unknown.
    std::u16string NotesFilePath() const;

private:
    enum class Mode { Load, Keep, Replace };
    int Merge(const pugi::xml_document& document, Mode mode);
    int MergeFile(std::u16string_view path, Mode mode);

    // Journals the changes of a batch, or these alone when none is open, and folds a long journal into
    // the notes file; writes the notes file instead when no journal takes them. A failure to write
    // either is swallowed: the changes stay pending for the next flush, the notes in memory for the end.
    void FlushJournal() noexcept;
    void Listen(bool on);
    void NotesChanged(const std::vector<CollectionElement>& changed);
    // Reads the journals of hosts that are gone onto memory.
    void ReplayDeadJournals();
    // Writes the notes file under the folder's lock, merging what another host wrote meanwhile; the
    // journals' changes are in the file afterwards.
    void WriteMerged(const std::u16string& path, bool ending);
    // Takes what another host wrote to the notes file for the companies and names this host did not
    // change.
    void MergeFromDisk(const std::u16string& path);

    // Tells one state of the notes file from another: another host's write replaces the file.
    struct FileState {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        std::int64_t modified = 0;
        friend bool operator==(const FileState&, const FileState&) = default;
        static FileState Of(const std::string& path);
    };

    NoteCollection& notes_;
    Categories& categories_;
    zsys::ComPtr<ZeltCore::IHostView> view_;
    std::shared_ptr<const LangLocal> language_;
    std::function<void()> notesChanged_;
    // A notes file that existed at start but could not be loaded; it is kept aside before it is replaced.
    std::u16string unreadable_;

    std::string journalBeside_;            // the notes file the journals go with; empty when there is none
    std::optional<ChangeJournal> journal_; // this host's, made at the first change
    std::vector<ChangeJournal> adopted_;   // of hosts that are gone, held until their changes are written
    std::vector<bool> adoptedDamaged_;
    int batches_ = 0;
    ChangeJournal::Change pending_;
    // What this host changed since the notes file it knows was read or written: these win over another
    // host's; everything else takes what is on disk.
    std::unordered_set<std::int32_t> changedHere_;
    bool namesChangedHere_ = false;
    FileState known_;
};
