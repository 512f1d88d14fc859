#include "settings/RibbonGroupButton.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

#include <utility>

RibbonGroupButton::RibbonGroupButton(std::u16string tag, std::u16string caption, std::u16string tooltip,
                                     zsys::ComPtr<IUnknown> image, std::shared_ptr<Command> command)
    : tag_(std::move(tag)), caption_(std::move(caption)), tooltip_(std::move(tooltip)),
      image_(std::move(image)), command_(std::move(command)) {
    if (tooltip_.empty()) tooltip_ = caption_;
}

RibbonGroupButton::~RibbonGroupButton() = default;

HRESULT RibbonGroupButton::Tag(BSTR* tag) noexcept {
    return zsys::CopyTo(tag_, tag);
}

HRESULT RibbonGroupButton::Caption(BSTR* caption) noexcept {
    return zsys::CopyTo(caption_, caption);
}

HRESULT RibbonGroupButton::Tooltip(BSTR* tooltip) noexcept {
    return zsys::CopyTo(tooltip_, tooltip);
}

HRESULT RibbonGroupButton::Image(IUnknown** image) noexcept {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!image_) return E_FAIL;
    return image_.CopyTo(image);
}

HRESULT RibbonGroupButton::Execute() noexcept try {
    // The command may end the host's hold on this button (a plug-in stopped from inside the
    // dialog); it is kept alive until it returns.
    if (const std::shared_ptr<Command> command = command_) command->Execute();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
