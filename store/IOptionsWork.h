#pragma once

#include "store/NoteList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ISearchAndImageManager;

// What the settings dialog asks of the notes controller: export, the two kinds of
// import and what they need to ask the user first, the category names and deleting the
// city's notes.
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
    // Renames the categories in order; when a name changed, the card's category commands,
    // the category search control and the map layers follow.
    virtual void SetCategoryNames(const std::vector<std::u16string>& names) = 0;
    // Whether the city has any note.
    virtual bool HasNotes() const = 0;
    // Deletes every note of the city, with its map marks; the number deleted.
    virtual std::size_t DeleteAllNotes() = 0;
    // A file's notes without merging them; raises loadException.
    virtual NoteList ReadNoteList(std::u16string_view path) = 0;
    // False when importing the list would change a note the city has.
    virtual bool NoConflicts(const NoteList& list) = 0;
    // The loaded city's display name.
    virtual std::u16string CityName() = 0;
};
