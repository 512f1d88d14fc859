#include "tools/rescomp/StringTableSource.h"

#include "tools/rescomp/SourceText.h"

#include <fstream>

namespace rescomp {
StringTableSource ReadStringTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path + ": cannot be read");
    StringTableSource table;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto tokens = Tokenize(line, path, lineNo);
        if (tokens.empty() || tokens[0].text[0] == '#') continue;
        if (tokens.size() != 2) Fail(path, lineNo, "expected two items");
        if (tokens[0].text == "language") {
            table.language = static_cast<std::uint16_t>(ParseNumber(tokens[1].text, path, lineNo));
            continue;
        }
        const long id = ParseNumber(tokens[0].text, path, lineNo);
        if (id < 0 || id > 0xFFFF || !tokens[1].quoted)
            Fail(path, lineNo, "expected an id and a quoted text");
        std::u16string text;
        if (!Utf8ToUtf16(tokens[1].text, text)) Fail(path, lineNo, "text is not UTF-8");
        if (text.size() > 0xFFFF) Fail(path, lineNo, "text too long");
        if (!table.strings.emplace(static_cast<std::uint16_t>(id), std::move(text)).second)
            Fail(path, lineNo, "id " + std::to_string(id) + " given twice");
    }
    if (table.language == 0) throw SourceError(path + ": no language line");
    return table;
}

std::map<std::uint16_t, std::vector<std::uint8_t>> StringBlocks(const StringTableSource& table) {
    std::map<std::uint16_t, std::vector<std::uint8_t>> blocks;
    for (const auto& [id, text] : table.strings)
        blocks[static_cast<std::uint16_t>(id / 16 + 1)];
    for (auto& [blockId, bytes] : blocks) {
        for (unsigned i = 0; i < 16; ++i) {
            const auto it = table.strings.find(static_cast<std::uint16_t>((blockId - 1) * 16 + i));
            const std::u16string empty;
            const std::u16string& text = it == table.strings.end() ? empty : it->second;
            const auto length = static_cast<std::uint16_t>(text.size());
            bytes.push_back(static_cast<std::uint8_t>(length & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(length >> 8));
            for (char16_t c : text) {
                bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>(c >> 8));
            }
        }
    }
    return blocks;
}
} // namespace rescomp
