#include "host/web/FilePicker.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <system_error>

namespace host::web {
namespace fs = std::filesystem;

namespace {
constexpr const char* kOutside = "the file dialog reaches only the host's folders";

// Whether `path` is `root` or below it; both resolved and normal.
bool Within(const fs::path& path, const fs::path& root) {
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty()) continue; // a trailing separator
        if (p == path.end() || *p != *r) return false;
    }
    return true;
}

std::nullopt_t Refuse(std::string* why, const char* reason) {
    if (why) *why = reason;
    return std::nullopt;
}
} // namespace

FilePicker::FilePicker(std::vector<Root> roots) {
    for (Root& root : roots) {
        std::error_code error;
        fs::create_directories(root.folder, error);
        const fs::path resolved = fs::canonical(fs::absolute(root.folder, error), error);
        if (error) continue;
        root.folder = resolved;
        roots_.push_back(std::move(root));
    }
}

std::optional<fs::path> FilePicker::Inside(const std::string& path, std::string* why) const {
    if (path.empty() || path.find('\0') != std::string::npos) return Refuse(why, kOutside);
    const fs::path asked = fs::path(path).lexically_normal();
    if (!asked.is_absolute()) return Refuse(why, kOutside);
    for (const fs::path& part : fs::path(path))
        if (part == "..") return Refuse(why, kOutside);
    if (path.size() >= PATH_MAX) return Refuse(why, "The file name is too long");
    for (const fs::path& part : asked)
        if (part.native().size() > NAME_MAX) return Refuse(why, "The file name is too long");
    // The folder must exist and lie in a root once every link on the way is followed; the
    // last part must not be a link, which a write would follow out.
    const fs::path name = asked.has_filename() ? asked.filename() : fs::path();
    std::error_code error;
    const fs::path folder = fs::canonical(name.empty() ? asked : asked.parent_path(), error);
    if (error) return Refuse(why, kOutside);
    const fs::path resolved = name.empty() ? folder : folder / name;
    struct stat status {};
    if (!name.empty() && ::lstat(resolved.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
        return Refuse(why, kOutside);
    for (const Root& root : roots_)
        if (Within(resolved, root.folder)) return resolved;
    return Refuse(why, kOutside);
}

std::optional<std::vector<FilePicker::Entry>> FilePicker::List(const std::string& folder,
                                                               std::string* why) const {
    const auto inside = Inside(folder, why);
    std::error_code error;
    if (!inside) return std::nullopt;
    if (!fs::is_directory(*inside, error)) return Refuse(why, "no such folder");
    std::vector<Entry> entries;
    for (fs::directory_iterator it(*inside, error), end; !error && it != end; it.increment(error)) {
        Entry entry;
        entry.name = it->path().filename().string();
        std::error_code ignored;
        entry.folder = it->is_directory(ignored);
        if (!entry.folder) entry.size = it->is_regular_file(ignored) ? it->file_size(ignored) : 0;
        entries.push_back(std::move(entry));
    }
    if (error) return Refuse(why, "the folder cannot be read");
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.folder != b.folder ? a.folder : a.name < b.name;
    });
    return entries;
}
} // namespace host::web
