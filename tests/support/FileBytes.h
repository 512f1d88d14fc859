#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace testsupport {
// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Replaces the file with the bytes, making missing folders on the way.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
// The names of what a folder holds; none when it cannot be read.
std::set<std::string> FolderNames(const std::filesystem::path& folder);
} // namespace testsupport
