#include "card/NoteCommand.h"

#include "core/TextFunctions.h"

NoteCommand NoteCommand::Parse(std::u16string_view name) {
    for (const auto& [kind, command] : kNames) {
        if (name.find(command) == std::u16string_view::npos) continue;
        const std::u16string_view rest = name.size() > command.size() ? name.substr(command.size()) : u"";
        return {kind, std::u16string(rest)};
    }
    return {None, std::u16string(name)};
}

std::int32_t NoteCommand::Category() const {
    return ReadDecimal(argument);
}
