#pragma once

#include "hostapi/ZeltCore.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

class LangLocal;

// Where the notes files live and how a notes document goes to and comes from disk.
namespace NotesFile {
// The folder of a file's path: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);

// Joins a folder and a name with "/", adding it only when the folder is non-empty and lacks one.
std::u16string Join(std::u16string_view folder, std::u16string_view name);

// The notes folder: the application-data folder, then "Zelt/DirNotes/"; empty when the application-data
// folder is unknown.
std::u16string Folder();

// The loaded city's notes file: the notes folder, the base name of the city's data file and ".xml";
// empty when the folder is unknown. A host failure is raised as a COM error.
std::u16string PathFor(ZeltCore::IHostView* view);

// The loaded city's legacy notes file: the notes folder, the city's name and ".dns"; empty when the
// folder is unknown. A host failure is raised as a COM error.
std::u16string LegacyPathFor(ZeltCore::IHostView* view);

// Makes sure the folder exists, creating missing parents; false when it cannot be made or is empty.
bool EnsureFolder(std::u16string_view folder);

// Whether a file or folder exists at the path.
bool Exists(std::u16string_view path);

// Reads a file into the document: as UTF-8 (or what its byte-order mark or declaration says), else as
// UTF-16LE. Raises loadException with text 195 when it cannot be read or is no regular file (a pipe is
// never waited on) and 196 when it is not XML.
void Read(std::u16string_view path, const LangLocal& language, pugi::xml_document& document);

// Writes the document with four-space indentation and CR LF line ends, without byte-order mark, by
// replacing the file with a complete new one; through a symbolic link, the file it names is replaced.
// With `keepOldAside`, the file found there is kept under a free name beside it (its name followed by
// ".unreadable", then "-2", "-3"...) once the new one is complete. Raises tstd::umsgexception with text
// 194 (and the system's description on a second line) when it cannot; the old file is then untouched.
void Write(const pugi::xml_document& document, std::u16string_view path, const LangLocal& language,
           bool keepOldAside = false);

// Keeps the file under the first free name of its name followed by ".unreadable", "-2", "-3"...: as a
// second name of the same file, so that the path never stands empty, or by a rename where the file
// system has no second names. True when there was nothing to keep or it is kept.
bool KeepAside(const std::string& file);

// Removes what writers that are gone left beside the file (or the file its link names): temporary files
// of their making, named ".notes-<process>-<n>.tmp", whose process no longer runs.
void RemoveStaleTemporaries(std::u16string_view path);
} // namespace NotesFile
