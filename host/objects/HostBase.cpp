#include "host/objects/HostBase.h"

#include "host/CityDatabase.h"
#include "host/Faults.h"
#include "host/Utf.h"

namespace host {
HostBase::HostBase(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : city_(std::move(city)), faults_(std::move(faults)) {}

HostBase::~HostBase() = default;

HRESULT HostBase::Name(BSTR* name) noexcept try {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (const auto planted = faults_->Enter("IHostBase.Name")) return *planted;
    *name = zsys::AllocBstr(city_->Name());
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostBase::FilePath(BSTR* path) noexcept try {
    if (!path) return E_POINTER;
    *path = nullptr;
    if (const auto planted = faults_->Enter("IHostBase.FilePath")) return *planted;
    *path = zsys::AllocBstr(Utf16(city_->Path()));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
