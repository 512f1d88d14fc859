#pragma once

#include "platform/com/Types.h"
#include "platform/ui/Window.h"

#include <cstdint>

// What a handler answers to a notification.
using LRESULT = std::intptr_t;

// Notifications a control sends its dialog (Dialog::OnNotify), with the codes Windows gives them.
struct NMHDR {
    HWND hwndFrom = nullptr; // the control
    int idFrom = 0;          // its id
    UINT code = 0;           // what happened
};

constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT LVN_ENDLABELEDITW = static_cast<UINT>(-176);
constexpr UINT LVN_ENDLABELEDIT = LVN_ENDLABELEDITW;

// The end of a list-view label edit. The list leaves the item as it was: the dialog's
// handler sets the new text when it takes it.
struct NMLVDISPINFOW {
    NMHDR hdr;
    int item = -1;
    const char16_t* text = nullptr; // null when the edit was cancelled
};
