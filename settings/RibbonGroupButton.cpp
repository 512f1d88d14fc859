#include "settings/RibbonGroupButton.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

#include <utility>

namespace {
HRESULT CopyText(const std::u16string& text, BSTR* out) noexcept try {
    if (!out) return E_POINTER;
    *out = nullptr;
    *out = zsys::AllocBstr(text);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace

RibbonGroupButton::RibbonGroupButton(std::u16string tag, std::u16string caption, std::u16string tooltip,
                                     zsys::ComPtr<IUnknown> image, std::shared_ptr<Command> command)
    : tag_(std::move(tag)), caption_(std::move(caption)), tooltip_(std::move(tooltip)),
      image_(std::move(image)), command_(std::move(command)) {
    if (tooltip_.empty()) tooltip_ = caption_;
}

RibbonGroupButton::~RibbonGroupButton() = default;

HRESULT RibbonGroupButton::Tag(BSTR* tag) noexcept {
    return CopyText(tag_, tag);
}

HRESULT RibbonGroupButton::Caption(BSTR* caption) noexcept {
    return CopyText(caption_, caption);
}

HRESULT RibbonGroupButton::Tooltip(BSTR* tooltip) noexcept {
    return CopyText(tooltip_, tooltip);
}

HRESULT RibbonGroupButton::Image(IUnknown** image) noexcept {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!image_) return E_FAIL;
    image_->AddRef();
    *image = image_.get();
    return S_OK;
}

HRESULT RibbonGroupButton::Execute() noexcept try {
    // The command may end the host's hold on this button (a plug-in stopped from inside the
    // dialog); it is kept alive until it returns.
    if (const std::shared_ptr<Command> command = command_) command->Execute();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
