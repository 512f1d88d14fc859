#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace host {
class ZeltHost;

// The host's command shell: reads commands, one a line, and answers them from the city
// and the search tab of a host whose plug-in is loaded. "quit" or the end of the input
// stops the plug-in and accounts for what is left of it.
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
    bool Execute(std::string_view line);
    int Stop();

    void Help();
    void City();
    void Companies(std::string_view count);
    void SearchTab();

    ZeltHost& host_;
    std::ostream& out_;
};
} // namespace host
