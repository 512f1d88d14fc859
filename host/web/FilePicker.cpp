#include "host/web/FilePicker.h"

#include <algorithm>
#include <system_error>

namespace host::web {
namespace fs = std::filesystem;

namespace {
// Whether `path` is `root` or below it; both resolved and normal.
bool Within(const fs::path& path, const fs::path& root) {
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty()) continue; // a trailing separator
        if (p == path.end() || *p != *r) return false;
    }
    return true;
}
} // namespace

FilePicker::FilePicker(std::vector<Root> roots) {
    for (Root& root : roots) {
        std::error_code error;
        fs::create_directories(root.folder, error);
        const fs::path resolved = fs::weakly_canonical(fs::absolute(root.folder, error), error);
        if (error) continue;
        root.folder = resolved;
        roots_.push_back(std::move(root));
    }
}

std::optional<fs::path> FilePicker::Inside(const std::string& path) const {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    const fs::path asked(path);
    if (!asked.is_absolute()) return std::nullopt;
    std::error_code error;
    // Links are followed as far as the path exists, so a link cannot lead out.
    const fs::path resolved = fs::weakly_canonical(asked, error);
    if (error) return std::nullopt;
    for (const Root& root : roots_)
        if (Within(resolved, root.folder)) return resolved;
    return std::nullopt;
}

std::optional<std::vector<FilePicker::Entry>> FilePicker::List(const std::string& folder) const {
    const auto inside = Inside(folder);
    std::error_code error;
    if (!inside || !fs::is_directory(*inside, error)) return std::nullopt;
    std::vector<Entry> entries;
    for (fs::directory_iterator it(*inside, error), end; !error && it != end; it.increment(error)) {
        Entry entry;
        entry.name = it->path().filename().string();
        std::error_code ignored;
        entry.folder = it->is_directory(ignored);
        if (!entry.folder) entry.size = it->is_regular_file(ignored) ? it->file_size(ignored) : 0;
        entries.push_back(std::move(entry));
    }
    if (error) return std::nullopt;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.folder != b.folder ? a.folder : a.name < b.name;
    });
    return entries;
}
} // namespace host::web
