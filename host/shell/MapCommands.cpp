// The map: the blocks plug-ins put on the buildings layer with what they mark, and the
// information panel of a building.
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostFrame.h"
#include "host/objects/HostMap.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace host {
namespace {
template <class Ids> void PrintIds(std::ostream& out, const Ids& ids) {
    for (const auto id : ids)
        out << " " << id;
    out << "\n";
}

void Map(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    for (const auto& entry : c.host.View().MainFrame().CityMap().Blocks().Entries()) {
        // Sinks hear unsigned ids; the directory's are signed.
        std::vector<std::int32_t> buildings;
        for (const ULONG building : entry.sink->Marked())
            buildings.push_back(static_cast<std::int32_t>(building));
        std::sort(buildings.begin(), buildings.end());
        c.out << "block " << Utf8(entry.tag) << " " << Quoted(entry.caption) << ":";
        PrintIds(c.out, buildings);
    }
}

void Panel(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 1) throw ShellUsageError();
    const std::string_view word = words[0];
    std::int32_t building = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), building);
    if (error != std::errc() || end != word.data() + word.size()) {
        c.out << "error: panel takes a building id, not \"" << word << "\"\n";
        return;
    }
    const HostMap::Panel panel = c.host.View().MainFrame().CityMap().PanelOf(building);
    for (const auto& company : panel.companies)
        c.out << "company " << company.id << " " << Quoted(company.name) << "\n";
    for (const auto& filter : panel.filters) {
        c.out << "filter " << Utf8(filter.tag) << " " << Quoted(filter.description) << ":";
        PrintIds(c.out, filter.companies);
    }
}

constexpr ShellCommand kCommands[] = {
    {"map", "", "the blocks on the map's buildings layer, each with the buildings it marks", Map},
    {"panel", "BUILDING",
     "the map's information panel for a building: its companies, and what each block's filter keeps", Panel},
};
} // namespace

std::span<const ShellCommand> MapCommands() {
    return kCommands;
}
} // namespace host
