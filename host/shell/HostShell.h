#pragma once

#include "host/shell/ShellCommand.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace host {
class ZeltHost;

// The host's command shell: reads commands, one a line, and answers them from the host
// whose plug-in is loaded. The commands of each area come from that area's table
// (ShellCommand.h). "quit" or the end of the input stops the plug-in and accounts for
// what is left of it.
class HostShell {
public:
    // Answers on `out`; the host must outlive the shell.
    HostShell(ZeltHost& host, std::ostream& out);

    // Runs commands read from `in` until "quit" or the end of the input, writing "> "
    // before each one when `prompt` is set; then stops the plug-in and prints the
    // accounting. 0 when nothing of the plug-in is alive and it holds no host reference,
    // else 1.
    int Run(std::istream& in, bool prompt);

private:
    // Runs one command line; false for "quit".
    bool Execute(std::string_view line, std::istream& in);
    int Stop();
    void Help();

    ZeltHost& host_;
    std::ostream& out_;
    std::vector<ShellCommand> commands_;
};
} // namespace host
