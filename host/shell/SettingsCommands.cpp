// The plug-in's settings: the host's options command and the settings button of the notes
// group. The dialogs, message boxes and file dialogs they open are printed and answered by
// the shell's desktop driver.
#include "host/ZeltHost.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"

#include <ostream>

namespace host {
namespace {
// The group the notes plug-in puts on the search tab.
constexpr std::u16string_view kNotesGroup = u"VeskNotes.SearchByNode";

void Report(ShellContext& c, std::string_view name, HRESULT hr) {
    if (FAILED(hr)) c.out << "error: " << name << ": " << ResultName(hr) << "\n";
}

void Options(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    Report(c, "options", c.host.ShowOptions());
}

void Configure(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    for (const auto& group : c.host.View().MainFrame().SearchTab().Groups()) {
        if (group->Id() != kNotesGroup) continue;
        if (group->Buttons().empty()) break;
        // Held while the button runs: the group lives as long as the tab keeps it.
        const zsys::ComPtr<HostSearchGroup> held = group;
        Report(c, "configure", held->PressButton(0));
        return;
    }
    c.out << "error: configure: the search tab has no notes group with a button\n";
}

constexpr ShellCommand kCommands[] = {
    {"options", "", "the host's options command for the plug-in: opens its settings", Options},
    {"configure", "", "clicks the settings button of the notes group on the search tab", Configure},
};
} // namespace

std::span<const ShellCommand> SettingsCommands() {
    return kCommands;
}
} // namespace host
