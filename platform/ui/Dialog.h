#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/resources/ModuleResources.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Notify.h"
#include "platform/ui/Window.h"

#include <string_view>

// What a button tells its dialog when it is clicked, and the command codes of an edit box.
constexpr int BN_CLICKED = 0;
constexpr int EN_CHANGE = 0x300;

// The class of dialog windows.
inline constexpr std::u16string_view kDialogClass = u"#32770";

namespace zsys {
struct DialogAccess;

// A modal dialog built from a template of a module's resources. One subclass per dialog;
// its handlers are ordinary members.
//
// Dialog units to pixels: the template's font gives the base units. "MS Shell Dlg" 8 pt is
// 6 px across and 13 px down (96 DPI); any other size scales both by point size / 8
// (rounded), and a template without a font counts as 8 pt. Then
//     x_px = MulDiv(x_dlu, base_x, 4)    y_px = MulDiv(y_dlu, base_y, 8)
// for every edge of every control (so 8 pt gives MulDiv(x, 6, 4) and MulDiv(y, 13, 8)).
// The dialog's client area is the template's size in pixels; its window adds the frame of
// a captioned window (Window.h). It opens centred on its owner's window, or at 0, 0
// without an owner, until the dialog moves itself.
//
// Keyboard, as a dialog manager does it: Escape is OnCommand(IDCANCEL, BN_CLICKED); Enter is
// OnCommand(id of the BS_DEFPUSHBUTTON button, or IDOK without one, BN_CLICKED), except in a
// multi-line edit with ES_WANTRETURN that has the focus, where Enter puts "\r\n" at the end
// of its text and the dialog goes on.
class ZSYS_API Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Builds dialog template `templateId` of the module's resources, owned by `owner` (the
    // top-level window of it; disabled while the dialog runs, enabled again after when it
    // was before), makes it the active window, sends OnInitDialog and runs it modally through
    // the desktop driver; after the run the window is destroyed and the window that was
    // active before is active again. Returns the value given to EndDialog; -1 when it cannot
    // be shown (no driver installed, no such template, the dialog already running): then no
    // handler runs at all.
    //
    // When the driver returns and the dialog has not ended, the system closes it as the close
    // box would (OnClose), and if that does not end it either, ends it with IDCANCEL.
    INT_PTR DoModal(HMODULE module, WORD templateId, HWND owner);
    // The dialog's window while it runs, else null.
    HWND Window() const;
    // Its control with that id; null when none (or the dialog does not run).
    HWND Item(int id) const;
    // Ends the modal run with `result` once the handler that calls it returns; ignored when
    // the dialog does not run.
    void EndDialog(INT_PTR result);

protected:
    // The controls are there; true lets the system focus the first enabled WS_TABSTOP control,
    // false says the handler set the focus itself. Default: true.
    virtual bool OnInitDialog();
    // A button clicked (BN_CLICKED), Enter (the default button's id), Escape (IDCANCEL), an
    // edit's text changed (EN_CHANGE). Default: a click of IDOK or IDCANCEL ends the dialog
    // with that id.
    virtual void OnCommand(int id, int code);
    // A control's notification (NM_CLICK, LVN_ENDLABELEDITW). Default: 0.
    virtual LRESULT OnNotify(const NMHDR& header);
    // The close box. Default: OnCommand(IDCANCEL, BN_CLICKED).
    virtual void OnClose();

private:
    friend struct DialogAccess;
    HWND window_ = nullptr;
    WORD templateId_ = 0;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

// The template id a running dialog was built from; 0 for a window that is no running dialog.
ZSYS_API WORD DialogTemplateId(HWND dialog);
} // namespace zsys
