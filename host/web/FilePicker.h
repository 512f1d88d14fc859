#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host::web {
// The folders the page's file dialogs may reach: the exchange folder and the application-data
// folder, with everything below them. Any other path is refused, whatever the browser sends:
// "..", a symbolic link anywhere on the way or at its end, or another folder altogether.
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
    // The path with its folder as it resolves on disk (the file itself may not exist yet), when
    // that folder lies in a root or is one and the last part is no symbolic link; none
    // otherwise, with why in `why` when given.
    std::optional<std::filesystem::path> Inside(const std::string& path, std::string* why = nullptr) const;
    // The entries of a folder inside the roots, folders first, each group by name; none for a
    // path outside them or no folder, with why in `why` when given.
    std::optional<std::vector<Entry>> List(const std::string& folder, std::string* why = nullptr) const;

private:
    std::vector<Root> roots_;
};
} // namespace host::web
