#include "display/NodeAskDialog.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/system/Text.h"
#include "platform/ui/Window.h"

namespace {
std::u16string Replaced(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    std::u16string result(text);
    zsys::ReplaceAll(result, from, to);
    return result;
}
} // namespace

NodeAskDialog::NodeAskDialog(std::u16string_view text, std::shared_ptr<const LangLocal> language)
    : text_(Replaced(text, u"\n", u"\r\n")), language_(std::move(language)) {}

INT_PTR NodeAskDialog::Show(HWND owner, POINT position) {
    position_ = position;
    return DoModal(TheModule().Instance(), IDD, owner);
}

std::u16string NodeAskDialog::ResultText() const {
    return Replaced(text_, u"\r\n", u"\n");
}

bool NodeAskDialog::OnInitDialog() {
    zsys::SetWindowText(Window(), language_->LoadString(IDS_NOTE));
    zsys::SetWindowText(Item(IDOK), language_->LoadString(IDS_OK));
    zsys::SetWindowText(Item(IDCANCEL), language_->LoadString(IDS_CANCEL));
    zsys::SetWindowText(Item(IDC_NOTE_TEXT), text_);
    zsys::SetWindowPos(Window(), HWND_TOPMOST, position_.x, position_.y, 0, 0, SWP_NOSIZE);
    // The person types at once, and Enter starts a line instead of pressing OK.
    zsys::SetFocus(Item(IDC_NOTE_TEXT));
    return false;
}

void NodeAskDialog::OnCommand(int id, int) {
    if (id == IDOK) {
        text_ = zsys::WindowText(Item(IDC_NOTE_TEXT));
        EndDialog(IDOK);
    } else if (id == IDCANCEL) {
        // Cancel, Escape and the close box: the text stays as it came.
        EndDialog(IDCANCEL);
    }
}
