#include "core/ZeltControlBase.h"

ZeltCore::IHostView& ZeltControlFields::View() const {
    return *zsys::Required(view_.get());
}

IUnknown& ZeltControlFields::Control() const {
    return *zsys::Required(control_.get());
}

HRESULT ZeltControlFields::CopyControl(IUnknown** control) const noexcept try {
    if (!control) return E_POINTER;
    *control = nullptr;
    IUnknown& inner = Control();
    inner.AddRef();
    *control = &inner;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT ZeltControlFields::CopyImage(IUnknown** image) const noexcept {
    if (!image) return E_POINTER;
    return image_.CopyTo(image);
}

HRESULT ZeltControlFields::CopyText(const std::u16string& text, BSTR* out) noexcept try {
    if (!out) return E_POINTER;
    *out = nullptr;
    *out = zsys::AllocBstr(text);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
