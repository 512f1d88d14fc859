#include "card/NoteCommand.h"

#include "card/NodeActions.h"

#include <algorithm>
#include <limits>

namespace {
// The blanks that wcstol skips before a number.
bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
} // namespace

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
    std::size_t i = 0;
    while (i < argument.size() && IsBlank(argument[i]))
        ++i;
    bool negative = false;
    if (i < argument.size() && (argument[i] == u'+' || argument[i] == u'-')) negative = argument[i++] == u'-';
    // Read as a magnitude, then clamped: a number beyond 32 bits gives the limit on its side.
    std::int64_t magnitude = 0;
    for (; i < argument.size() && argument[i] >= u'0' && argument[i] <= u'9'; ++i)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (argument[i] - u'0'), std::int64_t{1} << 32);
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}
