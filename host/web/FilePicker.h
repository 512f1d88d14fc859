#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host::web {
// The folders the page's file dialogs may reach: the application-data folder and the run's
// exchange folder, with everything below them. Any other path is refused, whatever the
// browser sends: "..", a symbolic link out, or another folder altogether.
class FilePicker {
public:
    struct Root {
        std::string name; // what the page calls it
        std::filesystem::path folder;
    };
    struct Entry {
        std::string name;
        bool folder = false;
        std::uintmax_t size = 0;
    };

    // The roots are made when missing and taken as they resolve on disk.
    explicit FilePicker(std::vector<Root> roots);

    const std::vector<Root>& Roots() const { return roots_; }
    // The path as it resolves on disk (the last part may not exist yet), when it lies in a
    // root or is one; none otherwise, and for an empty or relative path.
    std::optional<std::filesystem::path> Inside(const std::string& path) const;
    // The entries of a folder inside the roots, folders first, each group by name; none for a
    // path outside them or no folder.
    std::optional<std::vector<Entry>> List(const std::string& folder) const;

private:
    std::vector<Root> roots_;
};
} // namespace host::web
