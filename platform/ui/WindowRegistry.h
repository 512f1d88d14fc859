#pragma once

// Inside the system layer only: the records behind window handles and the desktop's
// process-wide state (focus, active window, pointer position).

#include "platform/com/Types.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zsys {
class Dialog;
class ImageList;

struct ListViewItem {
    std::u16string text;
    int image = 0;
};

struct ListViewState {
    std::vector<ListViewItem> items;
    const ImageList* smallImages = nullptr; // never owned
    int editing = -1;
};
} // namespace zsys

struct WindowRecord {
    std::u16string className;
    std::u16string text;
    DWORD style = 0;       // WS_DISABLED says whether it takes input
    DWORD exStyle = 0;     // WS_EX_TOPMOST says whether it stays on top
    RECT rect;             // screen for a top-level window, the parent's client area for a child
    HWND parent = nullptr; // child windows
    HWND owner = nullptr;  // top-level windows
    int id = 0;
    WORD icon = 0; // SS_ICON statics
    std::vector<HWND> children;
    zsys::Dialog* dialog = nullptr;                // the running dialog this window is
    std::unique_ptr<zsys::ListViewState> listView; // list views only
};

namespace zsys::detail {
// What the desktop holds beside its windows.
struct DesktopState {
    HWND focus = nullptr;
    HWND active = nullptr;
    POINT cursor;
};
DesktopState& Desktop();

// The live window behind a handle; null for a null or destroyed one.
WindowRecord* Find(HWND window);
// Takes a new record into the registry; its handle.
HWND Register(std::unique_ptr<WindowRecord> record);
// Takes a record out of the registry (its handle is dead from now on); null for no window.
std::unique_ptr<WindowRecord> Unregister(HWND window);
// The live windows.
long Count();
// The top-level windows that the window owns.
std::vector<HWND> OwnedBy(HWND owner);

// The frame around the client area: left, top, right and bottom widths.
RECT FrameOf(const WindowRecord& w);
// Where the window's client area starts on the screen.
POINT ClientOrigin(const WindowRecord& w);
// The window itself when it is top-level, else its top-level ancestor.
HWND TopLevel(HWND window);
// True when the window and every window it lies in are enabled.
bool Reachable(HWND window);

// The list view state of a window; null when it is no list view.
ListViewState* ListViewOf(HWND window);
// The running dialog a window is, or the one its control belongs to.
Dialog* DialogOf(HWND window);
} // namespace zsys::detail
