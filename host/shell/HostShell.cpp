#include "host/shell/HostShell.h"

#include "host/ZeltHost.h"
#include "host/shell/ShellDriver.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace host {
namespace {
// The shell's own commands, listed by help with the areas' ones.
constexpr ShellCommand kHelp{"help", "", "lists the commands", nullptr};
constexpr ShellCommand kQuit{
    "quit", "", "stops the plug-in and reports what is left of it (so does the end of the input)", nullptr};
} // namespace

HostShell::HostShell(ZeltHost& host, std::ostream& out) : host_(host), out_(out) {
    commands_.push_back(kHelp);
    for (const auto area :
         {DirectoryCommands(), WindowCommands(), CardCommands(), MapCommands(), SettingsCommands()})
        commands_.insert(commands_.end(), area.begin(), area.end());
    commands_.push_back(kQuit);
}

int HostShell::Run(std::istream& in, bool prompt) {
    // Dialogs, message boxes and file dialogs the commands open are answered from the same input.
    const ShellDriver driver(in, out_, prompt);
    std::string line;
    for (;;) {
        if (prompt) out_ << "> " << std::flush;
        if (!std::getline(in, line)) {
            // The accounting starts on a line of its own after an interactive end of input.
            if (prompt) out_ << "\n";
            break;
        }
        if (!Execute(line, in)) break;
        out_.flush();
    }
    return Stop();
}

bool HostShell::Execute(std::string_view line, std::istream& in) {
    const std::size_t start = line.find_first_not_of(" \t\r\n\v\f");
    if (start == std::string_view::npos) return true;
    line.remove_prefix(start);
    const std::size_t end = std::min(line.find_first_of(" \t\r\n\v\f"), line.size());
    const std::string_view name = line.substr(0, end);
    const ShellArguments arguments(line.substr(end));

    const auto command = std::find_if(commands_.begin(), commands_.end(),
                                      [&](const ShellCommand& c) { return c.name == name; });
    if (command == commands_.end()) {
        out_ << "error: unknown command \"" << name << "\"; \"help\" lists the commands\n";
        return true;
    }
    try {
        if (command->run == nullptr) {
            if (!arguments.Empty()) throw ShellUsageError();
            if (command->name == kQuit.name) return false;
            Help();
            return true;
        }
        ShellContext context{host_, out_, in};
        command->run(context, arguments);
    } catch (const ShellUsageError&) {
        out_ << "error: usage: " << command->name << (command->arguments.empty() ? "" : " ")
             << command->arguments << "\n";
    } catch (const std::exception& e) {
        out_ << "error: " << name << ": " << e.what() << "\n";
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
    for (const ShellCommand& c : commands_) {
        std::string usage(c.name);
        if (!c.arguments.empty()) usage.append(" ").append(c.arguments);
        usage.resize(std::max<std::size_t>(usage.size() + 2, 16), ' ');
        out_ << usage << c.summary << "\n";
    }
    ShellDriver::Help(out_);
}
} // namespace host
