#pragma once

#include "platform/Export.h"
#include "platform/ui/Window.h"

// Buttons, icons and default button of a message box, and the answers.
constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr UINT MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_TYPEMASK = 0xF, MB_ICONMASK = 0xF0, MB_DEFMASK = 0xF00;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

extern "C" {
// Asks the installed desktop driver; with none, the default button's answer.
ZSYS_API int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type);
}

namespace zsys {
// The answer of the default button of a message box of this type.
ZSYS_API int DefaultAnswer(UINT type);
} // namespace zsys
