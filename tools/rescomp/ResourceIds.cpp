#include "tools/rescomp/ResourceIds.h"

#include "tools/rescomp/SourceText.h"

#include <fstream>
#include <set>
#include <sstream>

namespace rescomp {
namespace {
bool IsName(const std::string& s) {
    if (s.empty() || !(s[0] >= 'A' && s[0] <= 'Z')) return false;
    for (const char c : s)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}
} // namespace

std::vector<ResourceId> ReadResourceIds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path + ": cannot be read");
    std::vector<ResourceId> ids;
    std::set<std::string> names;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto tokens = Tokenize(line, path, lineNo);
        if (tokens.empty() || tokens[0].text[0] == '#') continue;
        if (tokens.size() != 2 || tokens[0].quoted || !IsName(tokens[0].text))
            Fail(path, lineNo, "expected a name and a number");
        const long id = ParseNumber(tokens[1].text, path, lineNo);
        if (id <= 0 || id > 0xFFFF) Fail(path, lineNo, "the number is not a resource id");
        if (!names.insert(tokens[0].text).second) Fail(path, lineNo, tokens[0].text + " given twice");
        ids.push_back({tokens[0].text, static_cast<std::uint16_t>(id)});
    }
    return ids;
}

std::string IdsHeader(const std::vector<ResourceId>& ids) {
    std::ostringstream o;
    o << "// Made by rescomp from ResourceIds.def; do not edit.\n#pragma once\n\n#include <cstdint>\n\n";
    for (const ResourceId& r : ids)
        o << "constexpr std::uint16_t " << r.name << " = " << r.id << ";\n";
    return o.str();
}
} // namespace rescomp
