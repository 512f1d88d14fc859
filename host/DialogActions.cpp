#include "host/DialogActions.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Input.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace host {
namespace {
using Outcome = std::optional<DialogRefusal>;

DialogRefusal Missing(std::string why) {
    return {true, std::move(why)};
}

DialogRefusal NotNow(std::string why) {
    return {false, std::move(why)};
}

Outcome Set(HWND dialog, const DialogInput& input) {
    HWND control = zsys::GetDlgItem(dialog, input.control);
    if (!control) return Missing("the dialog has no control " + std::to_string(input.control));
    if (!zsys::input::TypeText(control, input.text))
        return NotNow("control " + std::to_string(input.control) + " takes no text");
    return std::nullopt;
}

Outcome Press(HWND dialog, const DialogInput& input) {
    HWND control = zsys::GetDlgItem(dialog, input.control);
    if (!control) return Missing("the dialog has no control " + std::to_string(input.control));
    if (!zsys::input::Click(control))
        return NotNow("control " + std::to_string(input.control) + " cannot be pressed");
    return std::nullopt;
}

Outcome Key(HWND dialog, int key) {
    if (!zsys::input::PressKey(dialog, key)) return NotNow("the dialog takes no key now");
    return std::nullopt;
}

Outcome Enter(HWND dialog, const DialogInput&) {
    return Key(dialog, VK_RETURN);
}

Outcome Escape(HWND dialog, const DialogInput&) {
    return Key(dialog, VK_ESCAPE);
}

Outcome Close(HWND dialog, const DialogInput&) {
    if (!zsys::input::CloseBox(dialog)) return NotNow("the dialog cannot be closed now");
    return std::nullopt;
}

Outcome ClickItem(HWND dialog, const DialogInput& input) {
    HWND list = ListOf(dialog);
    if (!list) return Missing("the dialog has no list");
    if (input.item < 0 || input.item >= zsys::listview::ItemCount(list))
        return Missing("the list has no item " + std::to_string(input.item));
    if (!zsys::input::ClickListItem(list, input.item)) return NotNow("the list takes no click now");
    return std::nullopt;
}

Outcome EndEdit(HWND dialog, std::optional<std::u16string> text) {
    HWND list = ListOf(dialog);
    if (!list) return Missing("the dialog has no list");
    if (!zsys::input::EndLabelEdit(list, std::move(text)))
        return NotNow("no label of the list is being edited");
    return std::nullopt;
}

Outcome EndEditWith(HWND dialog, const DialogInput& input) {
    return EndEdit(dialog, input.text);
}

Outcome CancelEdit(HWND dialog, const DialogInput&) {
    return EndEdit(dialog, std::nullopt);
}

// Clicks the item and ends the label edit the click started.
Outcome Label(HWND dialog, const DialogInput& input, std::optional<std::u16string> text) {
    if (Outcome refused = ClickItem(dialog, input)) return refused;
    if (zsys::listview::EditingItem(ListOf(dialog)) < 0)
        return NotNow("a click on item " + std::to_string(input.item) + " edits no label");
    return EndEdit(dialog, std::move(text));
}

Outcome LabelText(HWND dialog, const DialogInput& input) {
    return Label(dialog, input, input.text);
}

Outcome LabelCancel(HWND dialog, const DialogInput& input) {
    return Label(dialog, input, std::nullopt);
}

using enum DialogAction::Needs;
constexpr DialogAction kActions[] = {
    {"set", kControl | kText, "replaces the text of control ID", Set},
    {"press", kControl, "clicks button ID", Press},
    {"enter", kNothing, "presses Enter", Enter},
    {"escape", kNothing, "presses Escape", Escape},
    {"close", kNothing, "clicks the dialog's close box", Close},
    {"label", kItem | kText, "clicks item I of the list and ends its label edit with TEXT", LabelText},
    {"label-cancel", kItem, "clicks item I of the list and cancels its label edit", LabelCancel},
    {"click-item", kItem, "clicks item I of the list, which may start its label edit", ClickItem},
    {"end-edit", kText, "ends the list's label edit with TEXT", EndEditWith},
    {"cancel-edit", kNothing, "cancels the list's label edit", CancelEdit},
};
} // namespace

std::span<const DialogAction> DialogActions() {
    return kActions;
}

const DialogAction* FindDialogAction(std::string_view name) {
    const auto found = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&](const DialogAction& a) { return a.name == name; });
    return found == std::end(kActions) ? nullptr : found;
}

HWND ListOf(HWND dialog) {
    for (HWND control : zsys::Children(dialog))
        if (zsys::ClassName(control) == kListViewClass) return control;
    return nullptr;
}
} // namespace host
