#pragma once

#include "platform/Export.h"
#include "platform/ui/Window.h"

#include <string_view>

namespace zsys {
// Whoever stands in for the person at the desktop: the host's front end, which asks
// at the terminal, or a test's script. Plug-in code never knows which one runs it.
class ZSYS_API DesktopDriver {
public:
    virtual ~DesktopDriver() = default;
    // A message box was shown; the answer is one of the IDOK… values.
    virtual int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) = 0;
};

// Installs the process's driver and returns the one it replaces (null for none).
ZSYS_API DesktopDriver* InstallDesktopDriver(DesktopDriver* driver);
ZSYS_API DesktopDriver* CurrentDesktopDriver();
} // namespace zsys
