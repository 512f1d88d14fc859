#include "host/objects/HostQuickFilterSet.h"

#include "host/Faults.h"

namespace host {
HostQuickFilterSet::HostQuickFilterSet(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostQuickFilterSet::~HostQuickFilterSet() = default;

HRESULT HostQuickFilterSet::Add(IUnknown* filter) noexcept try {
    if (!filter) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostQuickFilterSet.Add")) return *planted;
    zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter> quick;
    if (FAILED(filter->QueryInterface(ZeltCore::IStdDirectoryQuickFilter::iid, quick.put_void())) || !quick)
        return E_INVALIDARG;
    filters_.push_back(std::move(quick));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
