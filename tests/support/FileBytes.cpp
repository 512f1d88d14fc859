#include "tests/support/FileBytes.h"

#include <fstream>
#include <iterator>

namespace testsupport {
std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> FolderNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable))
        names.insert(entry.path().filename().string());
    return names;
}
} // namespace testsupport
