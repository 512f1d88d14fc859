#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace testsupport {
// A note as the notes file holds it.
struct FileNote {
    std::string text;
    std::vector<int> categories;
    friend bool operator==(const FileNote&, const FileNote&) = default;
};
using FileNotes = std::map<std::int32_t, FileNote>; // by stable id
std::ostream& operator<<(std::ostream& out, const FileNote& note);

// A notes file as the plug-in writes it, of a city, with the category names when given.
std::string NotesXml(const FileNotes& notes, const std::string& city = "Testford",
                     const std::vector<std::string>& names = {});

// What a notes file holds; a file that cannot be read fails the test and holds nothing.
struct NotesFileContents {
    FileNotes notes;
    std::vector<std::string> names;
};
NotesFileContents ReadNotesFile(const std::filesystem::path& path);

// The names a city's eighteen categories start with, in English.
const std::vector<std::string>& DefaultCategoryNames();
} // namespace testsupport
