#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rescomp {
// One language's string table, read from a source file.
struct StringTableSource {
    std::uint16_t language = 0;
    std::map<std::uint16_t, std::u16string> strings;
};

// Reads a ".str" file: a "language N" line, then "id \"text\"" lines; raises
// SourceError for anything else, for a repeated id or for a missing language.
StringTableSource ReadStringTable(const std::string& path);

// The resource blocks of the table: block id → 16 entries, each a 16-bit length and
// that many UTF-16 units.
std::map<std::uint16_t, std::vector<std::uint8_t>> StringBlocks(const StringTableSource& table);
} // namespace rescomp
