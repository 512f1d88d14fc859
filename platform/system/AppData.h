#pragma once

#include "platform/Export.h"

#include <string>
#include <string_view>

namespace zsys {
// The user's application-data folder: the one set for this process, else $XDG_DATA_HOME (when absolute),
// else $HOME/.local/share; empty when none of them is known.
ZSYS_API std::string AppDataFolder();

// Sets the folder for this process (the host's choice for a run, or a test's); empty goes back to the
// environment's choice.
ZSYS_API void SetAppDataFolder(std::string_view path);
} // namespace zsys
