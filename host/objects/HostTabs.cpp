#include "host/objects/HostTabs.h"

#include "host/Faults.h"
#include "host/objects/HostSearchTab.h"

namespace host {
HostTabs::HostTabs(std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)), searchTab_(zsys::Make<HostSearchTab>(faults_)) {}

HostTabs::~HostTabs() = default;

HRESULT HostTabs::Tab(BSTR name, IUnknown** tab) noexcept try {
    if (!tab) return E_POINTER;
    *tab = nullptr;
    if (const auto planted = faults_->Enter("IHostTabs.Tab")) return *planted;
    if (zsys::View(name) != ZeltCore::kSearchTab) return S_FALSE;
    return searchTab_.CopyTo(tab);
} catch (...) {
    return zsys::Boundary();
}

long HostTabs::KeptObjects() const {
    return 1 + searchTab_->KeptObjects();
}

long HostTabs::ForeignReferences() const {
    return long(RefCount()) - 1 + searchTab_->ForeignReferences();
}
} // namespace host
