#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rescomp {
// A dialog template compiled from a ".dlg" source file.
struct DialogResource {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> bytes; // the classic binary template
};

// Reads a ".dlg" file ("dialog", "style", "font", "caption" and "control" lines) and
// lays it out as a binary dialog template; raises SourceError on anything unknown.
DialogResource ReadDialog(const std::string& path);
} // namespace rescomp
