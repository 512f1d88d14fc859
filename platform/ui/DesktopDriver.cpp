#include "platform/ui/DesktopDriver.h"

#include "platform/com/Bstr.h"
#include "platform/ui/MessageBox.h"

#include <string>

namespace {
zsys::DesktopDriver* g_driver = nullptr;
}

namespace zsys {
DesktopDriver* InstallDesktopDriver(DesktopDriver* driver) {
    DesktopDriver* old = g_driver;
    g_driver = driver;
    return old;
}

DesktopDriver* CurrentDesktopDriver() { return g_driver; }

int DefaultAnswer(UINT type) {
    static constexpr int kButtons[][3] = {
        {IDOK, IDOK, IDOK},       {IDOK, IDCANCEL, IDCANCEL}, {IDOK, IDOK, IDOK},
        {IDYES, IDNO, IDCANCEL},  {IDYES, IDNO, IDNO},       {IDOK, IDCANCEL, IDCANCEL},
    };
    const UINT buttons = type & MB_TYPEMASK;
    const UINT def = (type & MB_DEFMASK) >> 8;
    if (buttons >= std::size(kButtons) || def > 2) return IDOK;
    return kButtons[buttons][def];
}
} // namespace zsys

extern "C" int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
    zsys::DesktopDriver* driver = g_driver;
    if (!driver) return zsys::DefaultAnswer(type);
    return driver->MessageBox(owner, text ? std::u16string_view(text) : std::u16string_view(),
                              caption ? std::u16string_view(caption) : std::u16string_view(), type);
}
