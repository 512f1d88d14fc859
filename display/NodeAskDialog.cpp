#include "display/NodeAskDialog.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "store/CollectionElement.h"

namespace {
// How far right of the host window's left edge the pointer may be for the dialog to open
// at it; beyond, the dialog opens this much further left so that it stays on the window.
constexpr LONG kRightOfWindow = 400;
constexpr LONG kShiftLeft = 300;

std::u16string Replaced(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            result += to;
            i += from.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}
} // namespace

NodeAskDialog::NodeAskDialog(std::u16string_view text, std::shared_ptr<const LangLocal> language)
    : text_(Replaced(text, u"\n", u"\r\n")), language_(std::move(language)) {}

INT_PTR NodeAskDialog::Show(HWND owner, POINT position) {
    position_ = position;
    return DoModal(TheModule().Instance(), IDD_NOTE_EDIT, owner);
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
    zsys::SetFocus(Item(IDC_NOTE_TEXT));
    return false;
}

void NodeAskDialog::OnCommand(int id, int) {
    if (id == IDOK) {
        text_ = zsys::WindowText(Item(IDC_NOTE_TEXT));
        EndDialog(IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
    }
}

void NodeAskDialog::OnClose() {
    EndDialog(IDCANCEL);
}

bool NodeAskDialog::Edit(ZeltCore::IHostView& view, std::shared_ptr<const LangLocal> language,
                         CollectionElement& note) {
    zsys::ComPtr<ZeltCore::IHostFrame> frame;
    zsys::CheckOn<ZeltCore::IHostView>(view.Frame(frame.put()));
    HWND window = nullptr;
    zsys::CheckOn<ZeltCore::IHostFrame>(zsys::Required(frame)->Window(&window));
    const RECT host = zsys::WindowRect(window);
    const POINT pointer = zsys::CursorPos();
    const POINT corner{pointer.x - host.left >= kRightOfWindow ? pointer.x - kShiftLeft : pointer.x,
                       pointer.y};

    NodeAskDialog dialog(note.Text(), std::move(language));
    if (dialog.Show(zsys::ActiveWindow(), corner) != IDOK) return false;
    note.SetText(dialog.ResultText());
    return true;
}
