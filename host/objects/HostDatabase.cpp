#include "host/objects/HostDatabase.h"

#include "host/CityDatabase.h"
#include "host/Faults.h"
#include "host/objects/HostTable.h"

namespace host {
HostDatabase::HostDatabase(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : city_(std::move(city)), faults_(std::move(faults)) {}

HostDatabase::~HostDatabase() = default;

HRESULT HostDatabase::Table(BSTR typeKey, IUnknown** table) noexcept try {
    if (!table) return E_POINTER;
    *table = nullptr;
    if (const auto planted = faults_->Enter("IHostDatabase.Table")) return *planted;
    const auto type = CityDatabase::TypeOfKey(zsys::View(typeKey));
    if (!type) return E_INVALIDARG;
    *table = zsys::Make<HostTable>(city_, faults_, *type).detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
