#pragma once

#include "host/objects/HostLayerBlockList.h"
#include "host/objects/HostMapPart.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// The map's layers. Plug-ins reach one: the buildings layer "Zelt_Map_UMLRHOUS", whose
// block list marks buildings.
class HostLayers : public zsys::ComObject<HostLayers, ZeltCore::IHostLayers> {
public:
    explicit HostLayers(std::shared_ptr<Faults> faults);

    // "Zelt_Map_UMLRHOUS" gives the buildings layer, the same object every time; S_FALSE
    // and null for any other name.
    HRESULT Layer(BSTR name, IUnknown** layer) noexcept override;
    // The buildings layer's block list; E_INVALIDARG for another object or none.
    HRESULT BlockList(IUnknown* layer, ZeltCore::IHostLayerBlockList** list) noexcept override;

    // The buildings layer's block list, kept for the layers' whole life.
    HostLayerBlockList& Buildings() const { return *list_.get(); }

    // The host objects the layers keep, themselves included.
    long KeptObjects() const { return 2 + list_->KeptObjects(); }
    // References to the layers and what they keep, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostLayers() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostMapPart> buildings_;
    zsys::ComPtr<HostLayerBlockList> list_;
};
} // namespace host
