#include "card/NoteCommand.h"

#include "card/NodeActions.h"
#include "core/TextFunctions.h"

#include <algorithm>
#include <limits>

NoteCommand NoteCommand::Parse(std::u16string_view name) {
    for (int k = ToggleCategory; k < None; ++k) {
        const std::u16string_view command = NodeActions::kCommandNames[k];
        if (name.find(command) == std::u16string_view::npos) continue;
        const std::u16string_view rest = name.size() > command.size() ? name.substr(command.size()) : u"";
        return {static_cast<Kind>(k), std::u16string(rest)};
    }
    return {None, std::u16string(name)};
}

std::int32_t NoteCommand::Category() const {
    return ReadDecimal(argument);
}
