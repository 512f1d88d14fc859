#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/Geometry.h"
#include "resources/ResourceIds.h"

#include <memory>
#include <string>
#include <string_view>

class LangLocal;

// The note edit dialog: the note's text in a multi-line edit box where
// Enter starts a new line, opened at a given screen position above the other windows.
// The box works with "\r\n" line breaks, the note with a lone "\n"; the dialog converts
// both ways. OK keeps the box's text; Cancel, the close box and Escape leave it.
class NodeAskDialog : public zsys::Dialog {
public:
    enum : WORD { IDD = IDD_NOTE_EDIT };

    // The text with every "\n" made "\r\n"; the captions come in the language's texts.
    NodeAskDialog(std::u16string_view text, std::shared_ptr<const LangLocal> language);

    // Shows the dialog modally, owned by `owner`, its top-left corner at `position`: IDOK or
    // IDCANCEL; -1 when it cannot be shown.
    INT_PTR Show(HWND owner, POINT position);
    // The text, confirmed or not, with every "\r\n" made "\n"; a lone "\r" stays.
    std::u16string ResultText() const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    std::u16string text_;
    std::shared_ptr<const LangLocal> language_;
    POINT position_{};
};
