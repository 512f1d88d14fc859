#pragma once

#include <string>
#include <string_view>

namespace host {
// A text on one line in double quotes, with \", \\, \n, \r and \t escaped (other control
// characters as \xNN), so that blanks at its ends and its line breaks can be seen and one
// printed line is always one logical line.
std::string Quoted(std::u16string_view text);

// The text of a command argument: \n, \r, \t and \\ stand for what they name; false for
// any other escape or a lone backslash at the end.
bool Unescape(std::string_view written, std::u16string& text);
} // namespace host
