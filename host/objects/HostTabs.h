#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;
class HostSearchTab;

// The tabs of the main window; the search tab is the one plug-ins reach.
class HostTabs : public zsys::ComObject<HostTabs, ZeltCore::IHostTabs> {
public:
    explicit HostTabs(std::shared_ptr<Faults> faults);

    // "Zelt.SearchTab" gives the search tab; S_FALSE and null for any other name.
    HRESULT Tab(BSTR name, IUnknown** tab) noexcept override;

    // The search tab, kept for the tabs' whole life.
    HostSearchTab& SearchTab() const { return *searchTab_.get(); }

    // The host objects the tabs keep, themselves included.
    long KeptObjects() const;
    // References to the tabs and what they keep, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostTabs() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostSearchTab> searchTab_;
};
} // namespace host
