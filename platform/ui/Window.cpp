#include "platform/ui/Window.h"

#include "platform/ui/DialogAccess.h"
#include "platform/ui/ListView.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <utility>

namespace zsys {
using detail::Desktop;
using detail::Find;

HWND CreateWindow(std::u16string_view className, std::u16string_view title, DWORD style, DWORD exStyle,
                  const RECT& screen, HWND parent, int id) {
    const bool child = style & WS_CHILD;
    WindowRecord* parentRecord = Find(parent);
    if (child && !parentRecord) return nullptr;
    auto w = std::make_unique<WindowRecord>();
    w->className = className;
    w->text = title;
    w->style = style;
    w->exStyle = exStyle;
    w->rect = screen;
    w->id = id;
    if (child) {
        w->parent = parent;
        const POINT origin = detail::ClientOrigin(*parentRecord);
        w->rect = {screen.left - origin.x, screen.top - origin.y, screen.right - origin.x,
                   screen.bottom - origin.y};
    } else {
        w->owner = detail::TopLevel(parent);
    }
    if (className == kListViewClass) w->listView = std::make_unique<ListViewState>();
    HWND handle = detail::Register(std::move(w));
    if (child) parentRecord->children.push_back(handle);
    return handle;
}

bool DestroyWindow(HWND window) {
    WindowRecord* w = Find(window);
    if (!w) return false;
    for (HWND owned : detail::OwnedBy(window))
        DestroyWindow(owned);
    for (HWND child : std::vector<HWND>(w->children))
        DestroyWindow(child);
    if (WindowRecord* parent = Find(w->parent)) std::erase(parent->children, window);
    auto& desktop = Desktop();
    if (desktop.focus == window) desktop.focus = nullptr;
    if (desktop.active == window) desktop.active = nullptr;
    if (w->dialog) DialogAccess::WindowDestroyed(*w->dialog);
    detail::Unregister(window);
    return true;
}

bool IsWindow(HWND window) {
    return Find(window) != nullptr;
}

long LiveWindowCount() {
    return detail::Count();
}

RECT WindowRect(HWND window) {
    const WindowRecord* w = Find(window);
    if (!w) return {};
    RECT r = w->rect;
    if (const WindowRecord* parent = Find(w->parent)) {
        const POINT origin = detail::ClientOrigin(*parent);
        r = {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    }
    return r;
}

RECT ClientRect(HWND window) {
    const WindowRecord* w = Find(window);
    if (!w) return {};
    const RECT frame = detail::FrameOf(*w);
    const LONG width = w->rect.right - w->rect.left - frame.left - frame.right;
    const LONG height = w->rect.bottom - w->rect.top - frame.top - frame.bottom;
    return {0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

POINT ScreenToClient(HWND window, POINT screen) {
    const WindowRecord* w = Find(window);
    if (!w) return screen;
    const POINT origin = detail::ClientOrigin(*w);
    return {screen.x - origin.x, screen.y - origin.y};
}

POINT ClientToScreen(HWND window, POINT client) {
    const WindowRecord* w = Find(window);
    if (!w) return client;
    const POINT origin = detail::ClientOrigin(*w);
    return {client.x + origin.x, client.y + origin.y};
}

bool MoveWindow(HWND window, int x, int y, int width, int height) {
    WindowRecord* w = Find(window);
    if (!w) return false;
    w->rect = {x, y, x + width, y + height};
    return true;
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* w = Find(window);
    if (!w) return false;
    if (flags & SWP_NOMOVE) {
        x = w->rect.left;
        y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = w->rect.right - w->rect.left;
        cy = w->rect.bottom - w->rect.top;
    }
    w->rect = {x, y, x + cx, y + cy};
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    }
    return true;
}

bool IsTopmost(HWND window) {
    return ExStyle(window) & WS_EX_TOPMOST;
}

std::u16string WindowText(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->text : std::u16string();
}

bool SetWindowText(HWND window, std::u16string_view text) {
    WindowRecord* w = Find(window);
    if (!w) return false;
    w->text = text;
    return true;
}

HWND GetDlgItem(HWND dialog, int id) {
    const WindowRecord* w = Find(dialog);
    if (!w) return nullptr;
    for (HWND child : w->children)
        if (child->id == id) return child;
    return nullptr;
}

int ControlId(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->id : 0;
}

std::vector<HWND> Children(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->children : std::vector<HWND>();
}

HWND Parent(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? Find(w->parent) : nullptr;
}

HWND Owner(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? Find(w->owner) : nullptr;
}

std::u16string ClassName(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->className : std::u16string();
}

DWORD Style(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->style : 0;
}

DWORD ExStyle(HWND window) {
    const WindowRecord* w = Find(window);
    return w ? w->exStyle : 0;
}

WORD IconId(HWND control) {
    const WindowRecord* w = Find(control);
    return w ? w->icon : 0;
}

bool EnableWindow(HWND window, bool enable) {
    WindowRecord* w = Find(window);
    if (!w) return false;
    const bool wasDisabled = w->style & WS_DISABLED;
    if (enable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    return wasDisabled;
}

bool IsWindowEnabled(HWND window) {
    const WindowRecord* w = Find(window);
    return w && !(w->style & WS_DISABLED);
}

HWND SetFocus(HWND window) {
    if (window && !Find(window)) return nullptr;
    return std::exchange(Desktop().focus, window);
}

HWND Focus() {
    return Desktop().focus;
}

HWND ActiveWindow() {
    return Desktop().active;
}

HWND SetActiveWindow(HWND window) {
    if (window && !Find(window)) return nullptr;
    return std::exchange(Desktop().active, detail::TopLevel(window));
}

POINT CursorPos() {
    return Desktop().cursor;
}

void SetCursorPos(POINT screen) {
    Desktop().cursor = screen;
}
} // namespace zsys
