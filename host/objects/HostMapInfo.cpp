#include "host/objects/HostMapInfo.h"

#include "host/Faults.h"

namespace host {
HostMapInfo::HostMapInfo(std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)),
      companies_(zsys::Make<HostMapPart>(std::u16string(ZeltCore::kCompaniesPanelBlock))) {}

HostMapInfo::~HostMapInfo() = default;

HRESULT HostMapInfo::Block(BSTR name, IUnknown** block) noexcept try {
    if (!block) return E_POINTER;
    *block = nullptr;
    if (const auto planted = faults_->Enter("IHostMapInfo.Block")) return *planted;
    if (zsys::View(name) != companies_->Name()) return S_FALSE;
    return zsys::ComPtr<IUnknown>(companies_).CopyTo(block);
} catch (...) {
    return zsys::Boundary();
}

long HostMapInfo::ForeignReferences() const {
    return long(RefCount()) - 1 + long(companies_->RefCount()) - 1;
}
} // namespace host
