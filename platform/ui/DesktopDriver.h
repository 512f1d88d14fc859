#pragma once

#include "platform/Export.h"
#include "platform/ui/Window.h"

#include <optional>
#include <string>
#include <string_view>

namespace zsys {
struct FileDialogRequest;

// Whoever stands in for the person at the desktop: the host's front end, which asks
// at the terminal, or a test's script. Plug-in code never knows which one runs it.
// Drivers act on dialogs through zsys::input (Input.h) and read them through Window.h.
class ZSYS_API DesktopDriver {
public:
    virtual ~DesktopDriver() = default;
    // A message box was shown; the answer is one of the IDOK… values.
    virtual int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) = 0;
    // A modal dialog runs: act on it through zsys::input until DialogEnded(dialog) or until
    // there is nothing more to do (the system then closes it).
    virtual void RunModal(HWND dialog) = 0;
    // A file dialog: the chosen path, or nothing for cancel.
    virtual std::optional<std::u16string> ChooseFile(const FileDialogRequest& request) = 0;
};

// Installs the process's driver and returns the one it replaces (null for none).
ZSYS_API DesktopDriver* InstallDesktopDriver(DesktopDriver* driver);
ZSYS_API DesktopDriver* CurrentDesktopDriver();
} // namespace zsys
