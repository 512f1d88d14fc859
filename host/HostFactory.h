#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// Makes images from PNG bytes and empty image collections.
class HostFactory : public zsys::ComObject<HostFactory, ZeltCore::IHostFactory> {
public:
    explicit HostFactory(std::shared_ptr<Faults> faults);

    // Decodes the whole PNG; E_INVALIDARG for a null array or bytes that are not a
    // sound PNG of at most 4096 × 4096 pixels.
    HRESULT CreateImageFromPng(SAFEARRAY* png, IUnknown** image) noexcept override;
    HRESULT CreateImageCollection(IUnknown** collection) noexcept override;
    // Searches come with the search issue's host objects.
    HRESULT CreateSearchCriteria(LONG kind, ZeltCore::IHostSearchCriteria** criteria) noexcept override;

private:
    ~HostFactory() override;

    std::shared_ptr<Faults> faults_;
};
} // namespace host
