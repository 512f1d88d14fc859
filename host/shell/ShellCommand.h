#pragma once

#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {
class ZeltHost;

// What a command of the shell works with: the host, where it answers, and where the
// person's further answers come from (a dialog the command opens reads its commands
// there).
struct ShellContext {
    ZeltHost& host;
    std::ostream& out;
    std::istream& in;
};

// The rest of a command line after the command's name.
class ShellArguments {
public:
    explicit ShellArguments(std::string_view rest) : rest_(rest) {}
    // The blank-separated words.
    std::vector<std::string_view> Words() const;
    // Everything to the end of the line, leading blanks dropped, with the escapes \n, \r,
    // \t and \\ turned into what they stand for; raises ShellUsageError for another escape.
    std::u16string Text() const;
    bool Empty() const { return Words().empty(); }

private:
    std::string_view rest_;
};

// Thrown by a command given arguments it does not take: the shell answers with the
// command's usage.
struct ShellUsageError : std::runtime_error {
    ShellUsageError() : std::runtime_error("usage") {}
};

// One command of the shell.
struct ShellCommand {
    std::string_view name;
    std::string_view arguments; // as help shows them: "ID", "[N]", "TEXT"
    std::string_view summary;
    void (*run)(ShellContext& context, const ShellArguments& arguments);
};

// The commands of each area, each table in the file of its area.
std::span<const ShellCommand> DirectoryCommands();
std::span<const ShellCommand> WindowCommands();
std::span<const ShellCommand> MapCommands();
std::span<const ShellCommand> CardCommands();
std::span<const ShellCommand> SettingsCommands();
} // namespace host
