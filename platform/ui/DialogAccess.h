#pragma once

// Inside the system layer only: how the desktop's input reaches a dialog's handlers and state.

#include "platform/ui/Dialog.h"

namespace zsys {
struct DialogAccess {
    static void Command(Dialog& d, int id, int code) { d.OnCommand(id, code); }
    static LRESULT Notify(Dialog& d, const NMHDR& header) { return d.OnNotify(header); }
    static void Close(Dialog& d) { d.OnClose(); }
    static bool Ended(const Dialog& d) { return d.ended_; }
    static INT_PTR Result(const Dialog& d) { return d.result_; }
    static WORD TemplateId(const Dialog& d) { return d.templateId_; }
    // The dialog's window went (destroyed with its owner, say): the handle must not be used again.
    static void WindowDestroyed(Dialog& d) { d.window_ = nullptr; }
};
} // namespace zsys
