#include "platform/ui/Dialog.h"

#include "platform/ui/DesktopDriver.h"
#include "platform/ui/DialogAccess.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/WindowStyles.h"

#include <cstdint>

namespace zsys {
namespace {
// a * b / c rounded half away from zero, as the dialog manager scales.
LONG MulDiv(LONG a, LONG b, LONG c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = c / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / c : (product - half) / c);
}

constexpr LONG kBaseX = 6, kBaseY = 13, kBasePoints = 8;

struct BaseUnits {
    LONG x, y;
};

BaseUnits BaseUnitsOf(const DialogTemplate& t) {
    const LONG points = (t.style & DS_SETFONT) && t.pointSize ? t.pointSize : kBasePoints;
    return {MulDiv(kBaseX, points, kBasePoints), MulDiv(kBaseY, points, kBasePoints)};
}

RECT ToPixels(BaseUnits base, LONG x, LONG y, LONG cx, LONG cy) {
    return {MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(x + cx, base.x, 4), MulDiv(y + cy, base.y, 8)};
}

// The dialog window with one child per template item, centred on its owner.
HWND Build(const DialogTemplate& t, HWND owner) {
    const BaseUnits base = BaseUnitsOf(t);
    const RECT client = ToPixels(base, 0, 0, t.cx, t.cy);
    HWND dialog = CreateWindow(kDialogClass, t.title, t.style & ~WS_CHILD, t.exStyle, client, owner, 0);
    const RECT inner = ClientRect(dialog);
    const LONG width = 2 * client.right - inner.right, height = 2 * client.bottom - inner.bottom;
    LONG x = 0, y = 0;
    if (owner) {
        const RECT o = WindowRect(owner);
        x = o.left + (o.right - o.left - width) / 2;
        y = o.top + (o.bottom - o.top - height) / 2;
    }
    MoveWindow(dialog, x, y, width, height);
    const POINT origin = ClientToScreen(dialog, {0, 0});
    for (const DialogItem& item : t.items) {
        const RECT r = ToPixels(base, item.x, item.y, item.cx, item.cy);
        const RECT screen{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
        HWND control = CreateWindow(item.className, item.title, item.style | WS_CHILD, item.exStyle, screen,
                                    dialog, item.id);
        detail::Find(control)->icon = item.titleOrdinal;
    }
    return dialog;
}

HWND FirstTabStop(HWND dialog) {
    for (HWND control : Children(dialog)) {
        const DWORD style = Style(control);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return control;
    }
    return nullptr;
}

// Puts back what a modal run changed, however it ends.
class ModalScope {
public:
    ModalScope(const Dialog& dialog, HWND owner)
        : dialog_(dialog), owner_(owner), ownerWasEnabled_(IsWindowEnabled(owner)), previousFocus_(Focus()) {
        if (ownerWasEnabled_) EnableWindow(owner_, false);
        previousActive_ = SetActiveWindow(dialog_.Window());
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() {
        // The owner is enabled first so that it can take the activation back.
        if (ownerWasEnabled_) EnableWindow(owner_, true);
        if (HWND window = dialog_.Window()) DestroyWindow(window);
        SetActiveWindow(IsWindow(previousActive_) ? previousActive_ : owner_);
        if (IsWindow(previousFocus_)) SetFocus(previousFocus_);
    }

private:
    const Dialog& dialog_;
    HWND owner_;
    bool ownerWasEnabled_;
    HWND previousFocus_;
    HWND previousActive_ = nullptr;
};
} // namespace

Dialog::~Dialog() {
    if (window_) DestroyWindow(window_);
}

INT_PTR Dialog::DoModal(HMODULE module, WORD templateId, HWND owner) {
    DesktopDriver* driver = CurrentDesktopDriver();
    if (!driver || window_) return -1;
    const auto parsed = ParseDialogTemplate(ResourceBytes(FindResource(module, RT_DIALOG, templateId)));
    if (!parsed) return -1;
    owner = detail::TopLevel(owner);
    HWND dialog = Build(*parsed, owner);
    detail::Find(dialog)->dialog = this;
    window_ = dialog;
    templateId_ = templateId;
    ended_ = false;
    result_ = 0;
    {
        ModalScope scope(*this, owner);
        if (OnInitDialog() && window_) SetFocus(FirstTabStop(window_));
        if (!ended_ && window_) driver->RunModal(dialog);
        if (!ended_ && window_) OnClose();
        if (!ended_) EndDialog(IDCANCEL);
    }
    window_ = nullptr;
    // A window destroyed from outside ends the run as cancelled.
    return ended_ ? result_ : IDCANCEL;
}

HWND Dialog::Window() const {
    return window_;
}

HWND Dialog::Item(int id) const {
    return window_ ? GetDlgItem(window_, id) : nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (!window_) return;
    ended_ = true;
    result_ = result;
}

bool Dialog::OnInitDialog() {
    return true;
}

void Dialog::OnCommand(int id, int code) {
    if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) EndDialog(id);
}

LRESULT Dialog::OnNotify(const NMHDR&) {
    return 0;
}

void Dialog::OnClose() {
    OnCommand(IDCANCEL, BN_CLICKED);
}

WORD DialogTemplateId(HWND dialog) {
    const WindowRecord* w = detail::Find(dialog);
    return w && w->dialog ? DialogAccess::TemplateId(*w->dialog) : 0;
}
} // namespace zsys
