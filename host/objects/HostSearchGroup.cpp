#include "host/objects/HostSearchGroup.h"

#include "host/Faults.h"

#include <utility>

namespace host {
HostSearchGroup::HostSearchGroup(std::shared_ptr<Faults> faults, LONG kind, std::u16string id,
                                 std::u16string placement, std::u16string caption)
    : faults_(std::move(faults)), kind_(kind), id_(std::move(id)), placement_(std::move(placement)),
      caption_(std::move(caption)) {}

HostSearchGroup::~HostSearchGroup() = default;

HRESULT HostSearchGroup::SetTexts(const char* operation, BSTR first, BSTR second,
                                  std::optional<Texts>& texts) {
    if (const auto planted = faults_->Enter(operation)) return *planted;
    texts = Texts{std::u16string(zsys::View(first)), std::u16string(zsys::View(second))};
    return S_OK;
}

HRESULT HostSearchGroup::SetPicture(const char* operation, IUnknown* image, zsys::ComPtr<IUnknown>& picture) {
    if (!image) return E_INVALIDARG;
    if (const auto planted = faults_->Enter(operation)) return *planted;
    // The group shows only what the host can draw: images its factory made.
    zsys::ComPtr<ZeltCore::IHostImage> asImage;
    if (FAILED(image->QueryInterface(ZeltCore::IHostImage::iid, asImage.put_void())) || !asImage)
        return E_INVALIDARG;
    auto identity = zsys::IdentityOf(image);
    if (!identity) return E_INVALIDARG;
    picture = std::move(identity);
    return S_OK;
}

HRESULT HostSearchGroup::Append(const char* operation, IUnknown* object,
                                std::vector<zsys::ComPtr<IUnknown>>& list) {
    if (!object) return E_INVALIDARG;
    if (const auto planted = faults_->Enter(operation)) return *planted;
    auto identity = zsys::IdentityOf(object);
    if (!identity) return E_INVALIDARG;
    list.push_back(std::move(identity));
    return S_OK;
}

HRESULT HostSearchGroup::AddControl(IUnknown* control) noexcept try {
    return Append("IHostSearchGroup.AddControl", control, controls_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetImage(IUnknown* image) noexcept try {
    return SetPicture("IHostSearchGroupAppearance.SetImage", image, image_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetDescription(BSTR description) noexcept try {
    if (const auto planted = faults_->Enter("IHostSearchGroupAppearance.SetDescription")) return *planted;
    description_ = zsys::View(description);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetClearTexts(BSTR first, BSTR second) noexcept try {
    return SetTexts("IHostSearchGroupAppearance.SetClearTexts", first, second, clear_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetPromptTexts(BSTR first, BSTR second) noexcept try {
    return SetTexts("IHostSearchGroupAppearance.SetPromptTexts", first, second, prompt_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetResultTexts(BSTR first, BSTR second) noexcept try {
    return SetTexts("IHostSearchGroupAppearance.SetResultTexts", first, second, result_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::SetIcon(IUnknown* image) noexcept try {
    return SetPicture("IHostSearchGroupIcon.SetIcon", image, icon_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::AddButton(IUnknown* button) noexcept try {
    return Append("IHostSearchGroupButtons.AddButton", button, buttons_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchGroup::PressButton(std::size_t index) {
    if (index >= buttons_.size()) return E_INVALIDARG;
    // Held while it runs: what the button does may empty the group.
    const zsys::ComPtr<IUnknown> button = buttons_[index];
    const auto action = button.try_as<ZeltCore::ICommandAction>();
    if (!action) return E_NOINTERFACE;
    return action->Execute();
}

void HostSearchGroup::ReleaseContents() noexcept {
    // Taken out first, so that an object reaching back into the group while it goes
    // finds it already empty.
    std::vector<zsys::ComPtr<IUnknown>> buttons, controls;
    buttons.swap(buttons_);
    controls.swap(controls_);
    const auto icon = std::move(icon_), image = std::move(image_);
}
} // namespace host
