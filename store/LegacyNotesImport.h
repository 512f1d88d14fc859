#pragma once

#include <cstddef>
#include <string_view>

class NoteCollection;

// Takes the notes of an older line-based notes file (code page 1251, one "<stable id>_c:<categories>" or
// "<stable id>_t: <text>" statement per line) into the collection; lines of one company add up, a
// later text replaces an earlier one, and lines that break the grammar are skipped. Returns the number
// of notes in the collection afterwards; nothing is imported from a file that cannot be read. A host
// failure is raised as a COM error and keeps the notes stored before it.
std::size_t ImportLegacyNotes(std::u16string_view path, NoteCollection& notes, int categoryCount);
