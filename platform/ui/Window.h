#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/ui/Geometry.h"

#include <string>
#include <string_view>
#include <vector>

// Windows are handles owned by the system layer; plug-in code never looks inside. A
// handle stays valid until the window is destroyed; every call below takes a null or
// destroyed handle as "no window" and answers as it says for that case.
struct WindowRecord;
using HWND = WindowRecord*;

// The places SetWindowPos can put a window in the stacking order.
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
constexpr UINT SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4;

namespace zsys {
// Geometry. A window with WS_CAPTION has a frame of 3 px on each side and a 23 px caption
// above its client area (26 px in all at the top); one with only WS_BORDER a 1 px border;
// any other window is all client area.
//
// Positions of a top-level window are screen positions; those of a child window (WS_CHILD)
// are in its parent's client area, so a child moves with its parent.

// Makes a window. `parent` is the parent of a WS_CHILD window and the owner of any other
// one (null: a top-level window of its own); `screen` is where it is on the screen.
// Null when a child is asked for without a parent.
ZSYS_API HWND CreateWindow(std::u16string_view className, std::u16string_view title, DWORD style,
                           DWORD exStyle, const RECT& screen, HWND parent, int id);
// Destroys the window, its children and the windows it owns; false when it was none.
// A destroyed window loses the focus and stops being the active window.
ZSYS_API bool DestroyWindow(HWND window);
ZSYS_API bool IsWindow(HWND window);
// The windows alive in the process, for leak accounting.
ZSYS_API long LiveWindowCount();

// The window's rectangle in screen coordinates; empty for no window.
ZSYS_API RECT WindowRect(HWND window);
// The client area: 0, 0, width, height.
ZSYS_API RECT ClientRect(HWND window);
// Between screen positions and positions in the window's client area.
ZSYS_API POINT ScreenToClient(HWND window, POINT screen);
ZSYS_API POINT ClientToScreen(HWND window, POINT client);

// Moves and sizes the window (x and y as the geometry note above says).
ZSYS_API bool MoveWindow(HWND window, int x, int y, int width, int height);
// MoveWindow with parts left out by SWP_NOSIZE, SWP_NOMOVE and SWP_NOZORDER; `insertAfter`
// HWND_TOPMOST or HWND_NOTOPMOST sets or clears WS_EX_TOPMOST, any other value leaves it.
ZSYS_API bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
ZSYS_API bool IsTopmost(HWND window);

// The window's whole text, whatever its length; a dialog's text is its caption.
ZSYS_API std::u16string WindowText(HWND window);
ZSYS_API bool SetWindowText(HWND window, std::u16string_view text);

// The dialog's control with that id; null when it has none. (Named as Windows names it: the
// template's item type already holds the name DialogItem.)
ZSYS_API HWND GetDlgItem(HWND dialog, int id);
// The id the window was made with; 0 for no window.
ZSYS_API int ControlId(HWND window);
// The child windows, in the order they were made.
ZSYS_API std::vector<HWND> Children(HWND window);
// The parent of a child window; null for a top-level one.
ZSYS_API HWND Parent(HWND window);
// The owner of a top-level window; null for a child or an unowned window.
ZSYS_API HWND Owner(HWND window);
ZSYS_API std::u16string ClassName(HWND window);
ZSYS_API DWORD Style(HWND window);
ZSYS_API DWORD ExStyle(HWND window);
// The icon a static control shows (SS_ICON, the icon id its template named, such as 32516);
// 0 when it shows none.
ZSYS_API WORD IconId(HWND control);

// Enables or disables the window; returns true when it was disabled before. A disabled
// window, or one inside a disabled window, takes no input.
ZSYS_API bool EnableWindow(HWND window, bool enable);
ZSYS_API bool IsWindowEnabled(HWND window);

// The window with the keyboard focus; SetFocus returns the one that had it (null: none).
ZSYS_API HWND SetFocus(HWND window);
ZSYS_API HWND Focus();
// The active top-level window; SetActiveWindow returns the one that was.
ZSYS_API HWND ActiveWindow();
ZSYS_API HWND SetActiveWindow(HWND window);

// The mouse pointer's screen position; 0, 0 until something puts it elsewhere.
ZSYS_API POINT CursorPos();
ZSYS_API void SetCursorPos(POINT screen);
} // namespace zsys
