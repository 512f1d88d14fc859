#include "host/objects/HostImageCollection.h"

#include "host/Faults.h"

namespace host {
HostImageCollection::HostImageCollection(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostImageCollection::~HostImageCollection() = default;

HRESULT HostImageCollection::Image(BSTR name, IUnknown** image) noexcept try {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (const auto planted = faults_->Enter("IHostImageCollection.Image")) return *planted;
    const auto it = committed_.find(zsys::View(name));
    if (it == committed_.end()) return S_FALSE;
    return it->second.CopyTo(image);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostImageCollection::Count(LONG* count) noexcept try {
    if (!count) return E_POINTER;
    *count = 0;
    if (const auto planted = faults_->Enter("IHostImageCollection.Count")) return *planted;
    *count = static_cast<LONG>(committed_.size());
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostImageCollection::Add(BSTR name, IUnknown* image) noexcept try {
    if (!image) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostImageCollectionEdit.Add")) return *planted;
    if (zsys::View(name).empty()) return E_INVALIDARG;
    zsys::ComPtr<ZeltCore::IHostImage> asImage;
    if (FAILED(image->QueryInterface(ZeltCore::IHostImage::iid, asImage.put_void())) || !asImage)
        return E_INVALIDARG;
    // Kept by its identity, which is what a look-up hands back.
    auto identity = zsys::IdentityOf(image);
    if (!identity) return E_INVALIDARG;
    pending_.insert_or_assign(std::u16string(zsys::View(name)), std::move(identity));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostImageCollection::Commit() noexcept try {
    if (const auto planted = faults_->Enter("IHostImageCollectionEdit.Commit")) return *planted;
    for (auto& [name, image] : pending_)
        committed_.insert_or_assign(name, std::move(image));
    pending_.clear();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
