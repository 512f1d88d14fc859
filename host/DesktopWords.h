#pragma once

#include "platform/com/Types.h"
#include "platform/ui/Window.h"

#include <string>

namespace host {
// The words the host's front ends use for what a dialog shows, so that the shell and the
// page name things alike.

// What a control is: "button", "default-button", "group", "edit", "static", "icon", "list",
// or its class name for any other.
std::string ControlKind(HWND control);

// The icon of a message box: "information", "warning", "question", "error" or "none".
const char* MessageBoxIcon(UINT type);
} // namespace host
