#pragma once

#include <string>

namespace testsupport {
// Runs a shell command line with `input` (empty, or ending in a line break) on its standard
// input; its standard output and error together, and its exit code in `exitCode` (-1 when it
// did not exit).
std::string RunProcess(const std::string& commandLine, const std::string& input = "",
                       int* exitCode = nullptr);
} // namespace testsupport
