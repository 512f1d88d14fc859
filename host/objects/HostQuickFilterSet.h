#pragma once

#include "hostapi/Search.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <vector>

namespace host {
class Faults;

// The quick filters a page's controller installs for one search, in the order it added them.
class HostQuickFilterSet : public zsys::ComObject<HostQuickFilterSet, ZeltCore::IHostQuickFilterSet> {
public:
    explicit HostQuickFilterSet(std::shared_ptr<Faults> faults);

    // Appends a filter; E_INVALIDARG for none or an object that is no quick filter.
    HRESULT Add(IUnknown* filter) noexcept override;

    const std::vector<zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>>& Filters() const { return filters_; }

private:
    ~HostQuickFilterSet() override;

    std::shared_ptr<Faults> faults_;
    std::vector<zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>> filters_;
};
} // namespace host
