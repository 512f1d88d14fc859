#include "host/objects/HostTable.h"

#include "host/Faults.h"
#include "host/objects/HostDirObject.h"

namespace host {
HostTable::HostTable(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults,
                     CityDatabase::Type type)
    : city_(std::move(city)), faults_(std::move(faults)), type_(type) {}

HostTable::~HostTable() = default;

HRESULT HostTable::ObjectByStableId(LONG stableId, ZeltCore::IHostDirObject** object) noexcept try {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (const auto planted = faults_->Enter("IHostTable.ObjectByStableId")) return *planted;
    const auto id = city_->IdByStableId(type_, stableId);
    if (!id) return S_FALSE;
    *object = zsys::Make<HostDirObject>(city_, faults_, type_, *id).detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
