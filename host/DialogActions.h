#pragma once

#include "platform/com/Types.h"
#include "platform/ui/Window.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace host {
// What a dialog action reads besides its name, as a front end took it from its own input.
struct DialogInput {
    int control = 0;
    int item = 0;
    // A text to type, or a list item's new label.
    std::u16string text;
};

// Why a dialog action did nothing: the control or item is not there, or the dialog does not
// take the action now (a nested dialog is open, the button is disabled, no label is edited).
struct DialogRefusal {
    bool missing;
    std::string why;
};

// One thing the person can do in an open dialog. The shell and the page offer the same actions
// by the same names, each in its own syntax, and report the same refusals.
struct DialogAction {
    // What the action reads: a control id, a list item, a text.
    enum Needs : unsigned { kNothing = 0, kControl = 1, kItem = 2, kText = 4 };
    std::string_view name;
    unsigned needs;
    std::string_view summary;
    std::optional<DialogRefusal> (*act)(HWND dialog, const DialogInput& input);
};

std::span<const DialogAction> DialogActions();
// The action of that name; null for none.
const DialogAction* FindDialogAction(std::string_view name);
// The dialog's list (a dialog has at most one); null for none.
HWND ListOf(HWND dialog);
} // namespace host
