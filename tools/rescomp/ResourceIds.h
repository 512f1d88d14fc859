#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rescomp {
// One named resource id of the ids source.
struct ResourceId {
    std::string name; // "IDS_NOTES"; its prefix says the kind
    std::uint16_t id = 0;
};

// Reads the ids source: "NAME NUMBER" lines, "#" comments; raises SourceError for a
// malformed line or a name given twice.
std::vector<ResourceId> ReadResourceIds(const std::string& path);

// The C++ header of the ids: one constant each, in the source's order.
std::string IdsHeader(const std::vector<ResourceId>& ids);
} // namespace rescomp
