#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/ui/Window.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

constexpr DWORD OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_PATHMUSTEXIST = 0x800,
                OFN_FILEMUSTEXIST = 0x1000, OFN_EXPLORER = 0x80000, OFN_ENABLESIZING = 0x800000;

namespace zsys {
// An open or save file dialog as the caller describes it.
struct FileDialogRequest {
    bool save = false;
    HWND owner = nullptr;
    std::vector<std::pair<std::u16string, std::u16string>> filters; // {"XML Files", "*.xml"}
    std::u16string defaultExtension;                                // "xml", without the dot
    std::u16string initialName;
    DWORD flags = 0;           // OFN_…
    std::size_t maxPath = 260; // the caller's path buffer, its closing NUL included
};

// Asks the desktop driver for a file (no driver: cancel) and checks the answer as the system
// dialog does. A name without an extension gets the default one. An answer is refused when
// its path is longer than maxPath - 1, when OFN_FILEMUSTEXIST is set and the file does not
// exist, when OFN_PATHMUSTEXIST is set and its folder does not, and when OFN_OVERWRITEPROMPT is
// set, the file exists and the person does not say yes to replacing it: the driver is told with
// a message box and asked again. Nothing when the person cancels. Each of the two sets
// `save` as its name says, whatever the request held.
ZSYS_API std::optional<std::u16string> GetOpenFileName(const FileDialogRequest& request);
ZSYS_API std::optional<std::u16string> GetSaveFileName(const FileDialogRequest& request);
} // namespace zsys
