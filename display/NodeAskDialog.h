#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Geometry.h"

#include <memory>
#include <string>
#include <string_view>

class CollectionElement;
class LangLocal;

// The note edit dialog (template 114): the note's text in a multi-line edit box where
// Enter starts a new line, opened at a given screen position above the other windows.
// The box works with "\r\n" line breaks, the note with a lone "\n"; the dialog converts
// both ways. OK keeps the box's text; Cancel, the close box and Escape leave it.
class NodeAskDialog : public zsys::Dialog {
public:
    // The text with every "\n" made "\r\n".
    NodeAskDialog(std::u16string_view text, std::shared_ptr<const LangLocal> language);

    // Shows the dialog modally, owned by `owner`, its top-left corner at `position`: IDOK or
    // IDCANCEL; -1 when it cannot be shown.
    INT_PTR Show(HWND owner, POINT position);
    // The text, confirmed or not, with every "\r\n" made "\n".
    std::u16string ResultText() const;

    // Edits a note's text: the dialog opens at the mouse pointer, or 300 pixels to the left
    // of it when the pointer is 400 or more pixels right of the host window's left edge,
    // owned by the active window. True, the note having the new text (its end trimmed),
    // when the user confirmed it. A failure to read the host window is raised as a COM
    // error before the dialog is built.
    static bool Edit(ZeltCore::IHostView& view, std::shared_ptr<const LangLocal> language,
                     CollectionElement& note);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnClose() override;

private:
    std::u16string text_;
    std::shared_ptr<const LangLocal> language_;
    POINT position_{};
};
