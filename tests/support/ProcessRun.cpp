#include "tests/support/ProcessRun.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sys/wait.h>

namespace testsupport {
std::string RunProcess(const std::string& commandLine, const std::string& input, int* exitCode) {
    const std::string command = "(" + commandLine + ") 2>&1 <<'END_OF_INPUT'\n" + input + "END_OF_INPUT\n";
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        out.append(buffer.data(), n);
    const int status = pclose(pipe.release());
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}
} // namespace testsupport
