#pragma once

#include <filesystem>
#include <string>

namespace testsupport {
// A new, empty folder under the system's temporary folder, removed with everything in it
// when the object goes in the process that made it (a forked child leaves it alone).
class TempFolder {
public:
    // The folder's name starts with `prefix`.
    explicit TempFolder(const std::string& prefix = "vesk");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of a name inside the folder, as a string.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    int owner_;
};

// A path in the test program's own temporary folder, made at the first call.
std::string TempPath(const std::string& name);
} // namespace testsupport
