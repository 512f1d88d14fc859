#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"

#include <optional>
#include <string>
#include <string_view>

constexpr int VK_RETURN = 0x0D, VK_ESCAPE = 0x1B;

// What a desktop driver does for the person at the desktop. Each call acts exactly as the
// person would, through the notifications a real desktop sends, and only on what the person
// can reach: a window that is enabled inside an enabled dialog that is running (a dialog with a
// nested one open is disabled). A call that cannot act returns false and changes nothing.
namespace zsys::input {
// Replaces an edit box's text, as selecting all and typing would: the edit takes the focus
// and its dialog gets EN_CHANGE.
ZSYS_API bool TypeText(HWND edit, std::u16string_view text);
// Clicks a button: BN_CLICKED to its dialog. Group boxes take no clicks. The focus stays.
ZSYS_API bool Click(HWND button);
// A key pressed in the dialog: VK_RETURN or VK_ESCAPE, as Dialog.h says.
ZSYS_API bool PressKey(HWND dialog, int key);
// The dialog's close box.
ZSYS_API bool CloseBox(HWND dialog);
// Puts the mouse pointer on a position of the list (client pixels) and clicks: NM_CLICK to
// the list's dialog.
ZSYS_API bool ClickList(HWND list, POINT client);
// ClickList in the middle of the item's label; false for no such item.
ZSYS_API bool ClickListItem(HWND list, int item);
// Ends the label edit in progress: LVN_ENDLABELEDITW with the text, or with none when the
// edit is cancelled (nullopt), to the list's dialog. False when no edit is in progress.
ZSYS_API bool EndLabelEdit(HWND list, std::optional<std::u16string> text);

// True once the dialog has ended, and for a window that is no running dialog.
ZSYS_API bool DialogEnded(HWND dialog);
// The value the dialog ended with; 0 while it runs or for no dialog.
ZSYS_API INT_PTR Result(HWND dialog);
} // namespace zsys::input
