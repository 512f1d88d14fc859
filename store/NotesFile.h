#pragma once

#include "hostapi/ZeltCore.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

class LangLocal;

// Where the notes files live and how a notes document goes to and comes from disk.
namespace NotesFile {
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
// UTF-16LE. Raises loadException with text 195 when it cannot be read and 196 when it is not XML.
void Read(std::u16string_view path, const LangLocal& language, pugi::xml_document& document);

// Writes the document with four-space indentation and CR LF line ends, without byte-order mark, by
// replacing the file with a complete new one. Raises tstd::umsgexception with text 194 (and the
// system's description on a second line) when it cannot; the old file is then untouched.
void Write(const pugi::xml_document& document, std::u16string_view path, const LangLocal& language);

// Renames a file to a free name beside it (its name followed by ".unreadable", then "-2", "-3"...); a
// missing file needs nothing. Raises tstd::umsgexception with text 194 when the file stays where it is.
void KeepAside(std::u16string_view path, const LangLocal& language);
} // namespace NotesFile
