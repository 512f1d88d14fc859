#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace host {
class Faults;

// Named images that cards, menus and the map show. Images are added on the editing
// side and become visible to look-ups only when committed.
class HostImageCollection : public zsys::ComObject<HostImageCollection, ZeltCore::IHostImageCollection,
                                                   ZeltCore::IHostImageCollectionEdit> {
public:
    explicit HostImageCollection(std::shared_ptr<Faults> faults);

    // The committed image of the name; S_FALSE and null when there is none.
    HRESULT Image(BSTR name, IUnknown** image) noexcept override;
    // The number of committed images.
    HRESULT Count(LONG* count) noexcept override;
    // Adds or replaces the image of a non-empty name; E_INVALIDARG for an empty name or
    // an object that is not an image.
    HRESULT Add(BSTR name, IUnknown* image) noexcept override;
    HRESULT Commit() noexcept override;

private:
    ~HostImageCollection() override;

    using Images = std::map<std::u16string, zsys::ComPtr<IUnknown>, std::less<>>;
    std::shared_ptr<Faults> faults_;
    Images committed_;
    Images pending_;
};
} // namespace host
