#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "store/NoteList.h"

#include <pugixml.hpp>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class Categories;
class LangLocal;
class NoteCollection;

// The city's notes on disk: the notes file read at start and written at the end, export, the two kinds
// of import and the legacy file. Works on the controller's collection and category table, which outlive it.
class NotesStore {
public:
    // `notesChanged` is called whenever a merge took or erased notes, so that shown results can follow.
    NotesStore(NoteCollection& notes, Categories& categories, zsys::ComPtr<ZeltCore::IHostView> view,
               std::shared_ptr<const LangLocal> language, std::function<void()> notesChanged);

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
    // takes over its legacy file. Returns the number of notes afterwards. Read
    // errors are swallowed; host failures from the legacy import are raised as COM errors.
    std::size_t LoadAtStartup();
    // Writes the notes to the city's notes file, creating its folder; a notes file that could not be read
    // at start is kept aside under a new name once the new file is complete. Every error is swallowed: false
    // when nothing was written.
    bool SaveAtEnd() noexcept;

    // The loaded city's display name; raises a COM error on a host failure.
    std::u16string CityName() const;
    // The loaded city's notes file; empty when the application-data folder is unknown.
    std::u16string NotesFilePath() const;

private:
    enum class Mode { Load, Keep, Replace };
    int Merge(const pugi::xml_document& document, Mode mode);
    int MergeFile(std::u16string_view path, Mode mode);

    NoteCollection& notes_;
    Categories& categories_;
    zsys::ComPtr<ZeltCore::IHostView> view_;
    std::shared_ptr<const LangLocal> language_;
    std::function<void()> notesChanged_;
    // A notes file that existed at start but could not be loaded; it is kept aside before it is replaced.
    std::u16string unreadable_;
};
