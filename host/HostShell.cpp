#include "host/HostShell.h"

#include "host/CityDatabase.h"
#include "host/HostImage.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <istream>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

namespace host {
namespace {
struct CommandInfo {
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;
};

constexpr CommandInfo kCommands[] = {
    {"help", "", "lists the commands"},
    {"city", "", "the city's display name and data file"},
    {"companies", "[N]", "the first N companies (20 when N is not given): id, stable id and name"},
    {"search-tab", "", "the groups on the search tab with their texts, images, buttons and controls"},
    {"quit", "", "stops the plug-in and reports what is left of it (so does the end of the input)"},
};

constexpr std::size_t kDefaultCompanies = 20;

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

// A text on one line in double quotes, so that blanks at its ends and its line breaks
// can be seen.
std::string Quoted(std::u16string_view text) {
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

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
} // namespace

HostShell::HostShell(ZeltHost& host, std::ostream& out) : host_(host), out_(out) {}

int HostShell::Run(std::istream& in, bool prompt) {
    std::string line;
    for (;;) {
        if (prompt) out_ << "> " << std::flush;
        if (!std::getline(in, line)) {
            // The accounting starts on a line of its own after an interactive end of input.
            if (prompt) out_ << "\n";
            break;
        }
        if (!Execute(line)) break;
        out_.flush();
    }
    return Stop();
}

bool HostShell::Execute(std::string_view line) {
    const auto words = Words(line);
    if (words.empty()) return true;
    const std::string_view command = words[0];
    const std::size_t arguments = words.size() - 1;
    try {
        if (command == "companies" && arguments <= 1) {
            Companies(arguments ? words[1] : std::string_view());
            return true;
        }
        if (arguments == 0) {
            if (command == "quit") return false;
            const std::pair<std::string_view, void (HostShell::*)()> plain[] = {
                {"help", &HostShell::Help},
                {"city", &HostShell::City},
                {"search-tab", &HostShell::SearchTab}};
            for (const auto& [name, action] : plain) {
                if (name != command) continue;
                (this->*action)();
                return true;
            }
        }
        // A known command with arguments it does not take.
        for (const CommandInfo& known : kCommands) {
            if (known.name != command) continue;
            out_ << "error: usage: " << known.name << (known.arguments.empty() ? "" : " ") << known.arguments
                 << "\n";
            return true;
        }
        out_ << "error: unknown command \"" << command << "\"; \"help\" lists the commands\n";
    } catch (const std::exception& e) {
        out_ << "error: " << command << ": " << e.what() << "\n";
    }
    return true;
}

int HostShell::Stop() {
    host_.Stop();
    const long objects = host_.PluginObjects(), references = host_.ForeignHostReferences();
    out_ << "stopped; plug-in objects alive: " << objects
         << ", host references held by the plug-in: " << references << "\n";
    out_.flush();
    return objects == 0 && references == 0 ? 0 : 1;
}

void HostShell::Help() {
    for (const CommandInfo& c : kCommands) {
        std::string usage(c.name);
        if (!c.arguments.empty()) usage.append(" ").append(c.arguments);
        usage.resize(std::max<std::size_t>(usage.size() + 2, 16), ' ');
        out_ << usage << c.summary << "\n";
    }
}

void HostShell::City() {
    const CityDatabase& city = host_.View().City();
    out_ << "name: " << Utf8(city.Name()) << "\n"
         << "file: " << city.Path() << "\n";
}

void HostShell::Companies(std::string_view count) {
    std::size_t wanted = kDefaultCompanies;
    if (!count.empty()) {
        const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), wanted);
        if (error != std::errc() || end != count.data() + count.size()) {
            out_ << "error: companies takes a number of companies, not \"" << count << "\"\n";
            return;
        }
    }
    CityDatabase& city = host_.View().City();
    for (const std::int32_t id : city.FirstIds(CityDatabase::Type::Company, wanted)) {
        const auto company = city.Find(CityDatabase::Type::Company, id);
        if (!company) continue;
        out_ << company->id << "\t" << company->stableId << "\t" << Utf8(company->name) << "\n";
    }
}

void HostShell::SearchTab() {
    const auto& groups = host_.View().MainFrame().SearchTab().Groups();
    if (groups.empty()) {
        out_ << "search tab: no groups\n";
        return;
    }
    out_ << "search tab: " << groups.size() << (groups.size() == 1 ? " group" : " groups") << "\n";
    std::size_t number = 0;
    for (const auto& group : groups) {
        out_ << "group " << ++number << ": " << Utf8(group->Id()) << "\n"
             << "  kind: " << group->Kind() << "\n"
             << "  placement: " << Quoted(group->Placement()) << "\n"
             << "  caption: " << Quoted(group->Caption()) << "\n"
             << "  description: " << Quoted(group->Description()) << "\n"
             << "  clear texts: " << Pair(group->ClearTexts()) << "\n"
             << "  prompt texts: " << Pair(group->PromptTexts()) << "\n"
             << "  result texts: " << Pair(group->ResultTexts()) << "\n"
             << "  icon: " << Picture(group->Icon()) << "\n"
             << "  image: " << Picture(group->Image()) << "\n";
        if (group->Buttons().empty()) out_ << "  buttons: none\n";
        for (std::size_t b = 1; b <= group->Buttons().size(); ++b)
            out_ << "  button " << b << "\n";
        if (group->Controls().empty()) out_ << "  controls: none\n";
        for (std::size_t c = 1; c <= group->Controls().size(); ++c)
            out_ << "  control " << c << "\n";
    }
}
} // namespace host
