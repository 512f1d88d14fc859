#pragma once

#include "store/NoteList.h"

#include <cstddef>
#include <string>
#include <string_view>

class ISearchAndImageManager;

// What the settings dialog asks of the notes controller: export, the two kinds of
// import and what they need to ask the user first.
class IOptionsWork {
public:
    virtual ~IOptionsWork() = default;
    // Writes every note of the city to the file; the number written. Raises
    // tstd::umsgexception when the file cannot be written.
    virtual std::size_t WriteNotes(std::u16string_view path) = 0;
    // Merges a file of this city, its notes and category names winning; the number
    // taken. Raises loadException, leaving the notes as they were.
    virtual int ImportReplace(std::u16string_view path) = 0;
    // Merges a file of this city into companies without a note; the number taken.
    // Raises loadException, leaving the notes as they were.
    virtual int ImportKeep(std::u16string_view path) = 0;
    // The category table, for the list of names and swatches.
    virtual ISearchAndImageManager& CategoryTable() = 0;
    // SetCategoryNames joins here with the settings dialog.
    // Whether the city has any note.
    virtual bool HasNotes() const = 0;
    // DeleteAllNotes joins here with the map layers and the result page it refreshes.
    // A file's notes without merging them; raises loadException.
    virtual NoteList ReadNoteList(std::u16string_view path) = 0;
    // False when importing the list would change a note the city has.
    virtual bool NoConflicts(const NoteList& list) = 0;
    // The loaded city's display name.
    virtual std::u16string CityName() = 0;
};
