#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// Makes images from PNG bytes, empty image collections and standard controls.
class HostFactory
    : public zsys::ComObject<HostFactory, ZeltCore::IHostFactory, ZeltCore::IHostControlFactory> {
public:
    explicit HostFactory(std::shared_ptr<Faults> faults);

    // Decodes the whole PNG; E_INVALIDARG for a null array or bytes that are not a
    // sound PNG of at most 4096 × 4096 pixels.
    HRESULT CreateImageFromPng(SAFEARRAY* png, IUnknown** image) noexcept override;
    HRESULT CreateImageCollection(IUnknown** collection) noexcept override;
    // New, empty criteria (HostSearchCriteria); E_INVALIDARG for a kind other than 0.
    HRESULT CreateSearchCriteria(LONG kind, ZeltCore::IHostSearchCriteria** criteria) noexcept override;
    // A command (kind 0, HostStandardControl), an edit box (1, HostEditBox) or a combo box
    // (5, HostComboBox); E_INVALIDARG for a kind the host does not have.
    HRESULT CreateStandardControl(LONG kind, IUnknown** control) noexcept override;

private:
    ~HostFactory() override;

    std::shared_ptr<Faults> faults_;
};
} // namespace host
