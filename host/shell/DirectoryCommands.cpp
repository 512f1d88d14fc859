// The city and its directory, and the search tab as the plug-ins furnished it.
#include "host/CityDatabase.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace host {
namespace {
constexpr std::size_t kDefaultCompanies = 20;

std::string Pair(const std::optional<HostSearchGroup::Texts>& texts) {
    if (!texts) return "none";
    return Quoted(texts->first) + " / " + Quoted(texts->second);
}

// What the front end would draw: the size of one of the host's own images (read
// directly, so that planted faults are not disturbed), or just that one is set.
std::string Picture(const zsys::ComPtr<IUnknown>& picture) {
    if (!picture) return "none";
    if (const auto* image = dynamic_cast<const HostImage*>(picture.get()))
        return std::to_string(image->Width()) + "x" + std::to_string(image->Height()) + " image";
    return "set";
}

void City(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    const CityDatabase& city = c.host.View().City();
    c.out << "name: " << Utf8(city.Name()) << "\n"
          << "file: " << city.Path() << "\n";
}

void Companies(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() > 1) throw ShellUsageError();
    std::size_t wanted = kDefaultCompanies;
    if (!words.empty()) {
        const std::string_view count = words[0];
        const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), wanted);
        if (error != std::errc() || end != count.data() + count.size()) {
            c.out << "error: companies takes a number of companies, not \"" << count << "\"\n";
            return;
        }
    }
    CityDatabase& city = c.host.View().City();
    for (const std::int32_t id : city.FirstIds(CityDatabase::Type::Company, wanted)) {
        const auto company = city.Find(CityDatabase::Type::Company, id);
        if (!company) continue;
        c.out << company->id << "\t" << company->stableId << "\t" << Utf8(company->name) << "\n";
    }
}

void SearchTab(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    const auto& groups = c.host.View().MainFrame().SearchTab().Groups();
    if (groups.empty()) {
        c.out << "search tab: no groups\n";
        return;
    }
    c.out << "search tab: " << groups.size() << (groups.size() == 1 ? " group" : " groups") << "\n";
    std::size_t number = 0;
    for (const auto& group : groups) {
        c.out << "group " << ++number << ": " << Utf8(group->Id()) << "\n"
              << "  kind: " << group->Kind() << "\n"
              << "  placement: " << Quoted(group->Placement()) << "\n"
              << "  caption: " << Quoted(group->Caption()) << "\n"
              << "  description: " << Quoted(group->Description()) << "\n"
              << "  clear texts: " << Pair(group->ClearTexts()) << "\n"
              << "  prompt texts: " << Pair(group->PromptTexts()) << "\n"
              << "  result texts: " << Pair(group->ResultTexts()) << "\n"
              << "  icon: " << Picture(group->Icon()) << "\n"
              << "  image: " << Picture(group->Image()) << "\n";
        if (group->Buttons().empty()) c.out << "  buttons: none\n";
        for (std::size_t b = 1; b <= group->Buttons().size(); ++b)
            c.out << "  button " << b << "\n";
        if (group->Controls().empty()) c.out << "  controls: none\n";
        for (std::size_t n = 1; n <= group->Controls().size(); ++n)
            c.out << "  control " << n << "\n";
    }
}

constexpr ShellCommand kCommands[] = {
    {"city", "", "the city's display name and data file", City},
    {"companies", "[N]", "the first N companies (20 when N is not given): id, stable id and name", Companies},
    {"search-tab", "", "the groups on the search tab with their texts, images, buttons and controls",
     SearchTab},
};
} // namespace

std::span<const ShellCommand> DirectoryCommands() {
    return kCommands;
}
} // namespace host
