#include "platform/ui/WindowRegistry.h"

#include "platform/ui/WindowStyles.h"

#include <unordered_map>

namespace zsys::detail {
namespace {
// The records own themselves here; handles are their addresses.
std::unordered_map<HWND, std::unique_ptr<WindowRecord>>& Windows() {
    static std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    return windows;
}

constexpr LONG kFrame = 3, kCaption = 23;
} // namespace

DesktopState& Desktop() {
    static DesktopState state;
    return state;
}

WindowRecord* Find(HWND window) {
    if (!window) return nullptr;
    const auto& windows = Windows();
    return windows.contains(window) ? window : nullptr;
}

HWND Register(std::unique_ptr<WindowRecord> record) {
    HWND handle = record.get();
    Windows().emplace(handle, std::move(record));
    return handle;
}

std::unique_ptr<WindowRecord> Unregister(HWND window) {
    auto& windows = Windows();
    const auto it = windows.find(window);
    if (it == windows.end()) return nullptr;
    auto record = std::move(it->second);
    windows.erase(it);
    return record;
}

long Count() {
    return static_cast<long>(Windows().size());
}

std::vector<HWND> OwnedBy(HWND owner) {
    std::vector<HWND> owned;
    for (const auto& [handle, record] : Windows())
        if (record->owner == owner) owned.push_back(handle);
    return owned;
}

RECT FrameOf(const WindowRecord& w) {
    if ((w.style & WS_CAPTION) == WS_CAPTION) return {kFrame, kFrame + kCaption, kFrame, kFrame};
    if (w.style & WS_BORDER) return {1, 1, 1, 1};
    return {};
}

POINT ClientOrigin(const WindowRecord& w) {
    const RECT frame = FrameOf(w);
    POINT origin{w.rect.left + frame.left, w.rect.top + frame.top};
    if (const WindowRecord* parent = Find(w.parent)) {
        const POINT parentOrigin = ClientOrigin(*parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

HWND TopLevel(HWND window) {
    WindowRecord* w = Find(window);
    while (w && Find(w->parent))
        w = w->parent;
    return w;
}

bool Reachable(HWND window) {
    for (WindowRecord* w = Find(window); w; w = Find(w->parent))
        if (w->style & WS_DISABLED) return false;
    return Find(window) != nullptr;
}

ListViewState* ListViewOf(HWND window) {
    WindowRecord* w = Find(window);
    return w ? w->listView.get() : nullptr;
}

Dialog* DialogOf(HWND window) {
    for (WindowRecord* w = Find(window); w; w = Find(w->parent))
        if (w->dialog) return w->dialog;
    return nullptr;
}
} // namespace zsys::detail
