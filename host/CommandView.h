#pragma once

#include "host/objects/HostCardCommands.h"
#include "platform/com/ComPtr.h"

#include <string>
#include <string_view>

namespace host {
// A command as a card or the search tab shows it (a button or a submenu item), read from the
// plug-in's object each time it is shown; a text the object does not give is empty, and one
// that gives no state is enabled and not checked.
struct CommandView {
    std::u16string tag, caption, tooltip, placement;
    bool enabled = false, checked = false;
};

CommandView ReadCommand(const zsys::ComPtr<IUnknown>& command);
// The image the command shows, as the plug-in gives it; null for none or a failure.
zsys::ComPtr<IUnknown> CommandImage(const zsys::ComPtr<IUnknown>& command);
// The command of that tag among the commands, a submenu's included; null when there is none.
zsys::ComPtr<IUnknown> FindCommand(const HostCardCommands& commands, std::u16string_view tag);
} // namespace host
