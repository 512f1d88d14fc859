#include "card/ActionController.h"

#include "core/IOnButtonClick.h"

ActionController::ActionController(zsys::ComPtr<ZeltCore::IHostView> view)
    : ZeltControlBase(std::move(view)) {}

ActionController::~ActionController() = default;

HRESULT ActionController::Execute() noexcept try {
    const std::u16string command = Fields().Tag();
    zsys::Required(sink_)->OnButtonClick(command);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT ActionController::Visible(VARIANT_BOOL* visible) noexcept {
    if (!visible) return E_POINTER;
    *visible = VARIANT_TRUE;
    return S_OK;
}

HRESULT ActionController::Enabled(VARIANT_BOOL* enabled) noexcept {
    if (!enabled) return E_POINTER;
    *enabled = enabled_ ? 1 : 0;
    return S_OK;
}

HRESULT ActionController::Checked(VARIANT_BOOL* checked) noexcept {
    if (!checked) return E_POINTER;
    *checked = checked_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}
