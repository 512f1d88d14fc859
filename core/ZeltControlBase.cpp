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
    Control(); // raises while there is no inner control
    return control_.CopyTo(control);
} catch (...) {
    return zsys::Boundary();
}

HRESULT ZeltControlFields::CopyImage(IUnknown** image) const noexcept {
    if (!image) return E_POINTER;
    return image_.CopyTo(image);
}

