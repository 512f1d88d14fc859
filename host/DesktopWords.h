#pragma once

#include "platform/com/Types.h"
#include "platform/ui/Window.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {
// The words the host's front ends use for what a dialog shows, so that the shell and the
// page name things alike.

// What a control is: "button", "default-button", "group", "edit", "static", "icon", "list",
// or its class name for any other.
std::string ControlKind(HWND control);

// The icon of a message box: "information", "warning", "question", "error" or "none".
const char* MessageBoxIcon(UINT type);

// A message box's buttons: the kind of box ("ok", "okcancel", "yesnocancel", "yesno", ...) and
// each button's word ("ok", "cancel", "yes", "no") with the answer it gives. A box the host
// does not draw has no buttons and can only take its default answer.
struct MessageButtons {
    std::string_view kind;
    std::vector<std::pair<std::string_view, int>> answers;
};
MessageButtons MessageBoxButtons(UINT type);

// The host's own words for a search run from its tab, in the interface language (English for
// one the host does not speak): the result page's title, and the company-name box as the
// criteria and the description name it.
struct SearchWords {
    std::u16string_view title, nameCriterion, nameDescription;
};
const SearchWords& SearchWordsIn(LANGID language);
} // namespace host
