#include "platform/ui/Input.h"

#include "platform/ui/DialogAccess.h"
#include "platform/ui/ListView.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/WindowStyles.h"

namespace zsys::input {
namespace {
// The running dialog that the person reaches through this window: none when the dialog has
// ended or the window, or any window it lies in, is disabled.
Dialog* ReachableDialog(HWND window) {
    Dialog* dialog = detail::DialogOf(window);
    if (!dialog || DialogAccess::Ended(*dialog) || !detail::Reachable(window)) return nullptr;
    return dialog;
}

// The dialog whose own window this is, when the person can reach it.
Dialog* ReachableDialogWindow(HWND window) {
    Dialog* dialog = ReachableDialog(window);
    return dialog && dialog->Window() == window ? dialog : nullptr;
}

bool IsClass(HWND window, std::u16string_view className) {
    return ClassName(window) == className;
}

bool WantsReturn(HWND window) {
    const DWORD style = Style(window);
    return IsClass(window, u"Edit") && (style & ES_MULTILINE) && (style & ES_WANTRETURN);
}

HWND DefaultButton(HWND dialog) {
    for (HWND control : Children(dialog))
        if (IsClass(control, u"Button") && (Style(control) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return control;
    return nullptr;
}

bool Enter(Dialog& dialog, HWND window) {
    const HWND focus = Focus();
    if (focus && Parent(focus) == window && WantsReturn(focus)) {
        // The caret is taken to be at the end of the text.
        SetWindowText(focus, WindowText(focus) + u"\r\n");
        DialogAccess::Command(dialog, ControlId(focus), EN_CHANGE);
        return true;
    }
    const HWND button = DefaultButton(window);
    if (button && !IsWindowEnabled(button)) return false;
    DialogAccess::Command(dialog, button ? ControlId(button) : IDOK, BN_CLICKED);
    return true;
}
} // namespace

bool TypeText(HWND edit, std::u16string_view text) {
    Dialog* dialog = ReachableDialog(edit);
    if (!dialog || !IsClass(edit, u"Edit")) return false;
    SetFocus(edit);
    SetWindowText(edit, text);
    DialogAccess::Command(*dialog, ControlId(edit), EN_CHANGE);
    return true;
}

bool Click(HWND button) {
    Dialog* dialog = ReachableDialog(button);
    if (!dialog || !IsClass(button, u"Button") || (Style(button) & BS_TYPEMASK) == BS_GROUPBOX) return false;
    DialogAccess::Command(*dialog, ControlId(button), BN_CLICKED);
    return true;
}

bool PressKey(HWND dialog, int key) {
    Dialog* d = ReachableDialogWindow(dialog);
    if (!d) return false;
    switch (key) {
    case VK_ESCAPE:
        DialogAccess::Command(*d, IDCANCEL, BN_CLICKED);
        return true;
    case VK_RETURN:
        return Enter(*d, dialog);
    default:
        return false;
    }
}

bool CloseBox(HWND dialog) {
    Dialog* d = ReachableDialogWindow(dialog);
    if (!d) return false;
    DialogAccess::Close(*d);
    return true;
}

bool ClickList(HWND list, POINT client) {
    Dialog* dialog = ReachableDialog(list);
    if (!dialog || !detail::ListViewOf(list)) return false;
    SetCursorPos(ClientToScreen(list, client));
    DialogAccess::Notify(*dialog, NMHDR{list, ControlId(list), NM_CLICK});
    return true;
}

bool ClickListItem(HWND list, int item) {
    const auto label = listview::ItemRect(list, item, LVIR_LABEL);
    if (!label) return false;
    return ClickList(list, {(label->left + label->right) / 2, (label->top + label->bottom) / 2});
}

bool EndLabelEdit(HWND list, std::optional<std::u16string> text) {
    Dialog* dialog = ReachableDialog(list);
    ListViewState* state = detail::ListViewOf(list);
    if (!dialog || !state || state->editing < 0) return false;
    NMLVDISPINFOW info{
        {list, ControlId(list), LVN_ENDLABELEDITW}, state->editing, text ? text->c_str() : nullptr};
    state->editing = -1;
    DialogAccess::Notify(*dialog, info.hdr);
    return true;
}

bool DialogEnded(HWND dialog) {
    const WindowRecord* w = detail::Find(dialog);
    return !w || !w->dialog || DialogAccess::Ended(*w->dialog);
}

INT_PTR Result(HWND dialog) {
    const WindowRecord* w = detail::Find(dialog);
    return w && w->dialog && DialogAccess::Ended(*w->dialog) ? DialogAccess::Result(*w->dialog) : 0;
}
} // namespace zsys::input
