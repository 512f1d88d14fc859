#include "host/objects/HostLayers.h"

#include "host/Faults.h"

namespace host {
HostLayers::HostLayers(std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)), buildings_(zsys::Make<HostMapPart>(u"Zelt_Map_UMLRHOUS")),
      list_(zsys::Make<HostLayerBlockList>(faults_)) {}

HostLayers::~HostLayers() = default;

HRESULT HostLayers::Layer(BSTR name, IUnknown** layer) noexcept try {
    if (!layer) return E_POINTER;
    *layer = nullptr;
    if (const auto planted = faults_->Enter("IHostLayers.Layer")) return *planted;
    if (zsys::View(name) != buildings_->Name()) return S_FALSE;
    return zsys::ComPtr<IUnknown>(buildings_).CopyTo(layer);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostLayers::BlockList(IUnknown* layer, ZeltCore::IHostLayerBlockList** list) noexcept try {
    if (!list) return E_POINTER;
    *list = nullptr;
    if (!layer) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostLayers.BlockList")) return *planted;
    if (zsys::IdentityOf(layer).get() != buildings_.get()) return E_INVALIDARG;
    return zsys::ComPtr<ZeltCore::IHostLayerBlockList>(list_).CopyTo(list);
} catch (...) {
    return zsys::Boundary();
}

long HostLayers::ForeignReferences() const {
    return long(RefCount()) - 1 + long(buildings_->RefCount()) - 1 + list_->ForeignReferences(1);
}
} // namespace host
