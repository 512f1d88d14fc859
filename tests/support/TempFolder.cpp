#include "tests/support/TempFolder.h"

#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

namespace testsupport {
TempFolder::TempFolder(const std::string& prefix) : owner_(getpid()) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + ".XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    if (getpid() != owner_) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempPath(const std::string& name) {
    static const TempFolder folder("vesk_tests");
    return folder / name;
}
} // namespace testsupport
