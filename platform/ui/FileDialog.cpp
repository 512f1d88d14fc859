#include "platform/ui/FileDialog.h"

#include "platform/ui/DesktopDriver.h"
#include "platform/ui/MessageBox.h"

#include <filesystem>
#include <system_error>

namespace zsys {
namespace {
namespace fs = std::filesystem;

std::u16string WithDefaultExtension(std::u16string path, const std::u16string& extension) {
    const std::size_t nameStart = path.find_last_of(u'/') + 1; // 0 when there is no folder
    const std::u16string_view name = std::u16string_view(path).substr(nameStart);
    if (!extension.empty() && !name.empty() && name.find(u'.') == std::u16string_view::npos)
        path += u"." + extension;
    return path;
}

// The file system's view of a path; a path that cannot be named there exists nowhere.
struct OnDisk {
    bool file = false;
    bool folder = false;
};

OnDisk Look(const std::u16string& path) {
    try {
        const fs::path p(path);
        const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
        std::error_code ec;
        return {fs::is_regular_file(p, ec), fs::is_directory(folder, ec)};
    } catch (const std::exception&) {
        return {};
    }
}

// Asks until the driver gives an answer the request takes, or cancels.
std::optional<std::u16string> Ask(FileDialogRequest request, bool save) {
    request.save = save;
    DesktopDriver* driver = CurrentDesktopDriver();
    if (!driver) return std::nullopt;
    const std::u16string caption = save ? u"Save As" : u"Open";
    for (;;) {
        const auto answer = driver->ChooseFile(request);
        if (!answer) return std::nullopt;
        const std::u16string path = WithDefaultExtension(*answer, request.defaultExtension);
        const OnDisk disk = Look(path);
        std::u16string refusal;
        if (path.size() + 1 > request.maxPath)
            refusal = path + u"\nThe file name is too long.";
        else if ((request.flags & OFN_FILEMUSTEXIST) && !disk.file)
            refusal = path + u"\nFile not found.\nCheck the file name and try again.";
        else if ((request.flags & OFN_PATHMUSTEXIST) && !disk.folder)
            refusal = path + u"\nPath does not exist.\nCheck the path and try again.";
        if (!refusal.empty()) {
            MessageBoxW(request.owner, refusal.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
            continue;
        }
        if (save && (request.flags & OFN_OVERWRITEPROMPT) && disk.file) {
            const std::u16string question = path + u" already exists.\nDo you want to replace it?";
            if (MessageBoxW(request.owner, question.c_str(), caption.c_str(),
                            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
                continue;
        }
        return path;
    }
}
} // namespace

std::optional<std::u16string> GetOpenFileName(const FileDialogRequest& request) {
    return Ask(request, false);
}

std::optional<std::u16string> GetSaveFileName(const FileDialogRequest& request) {
    return Ask(request, true);
}
} // namespace zsys
