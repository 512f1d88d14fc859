#pragma once

#include "host/objects/HostMap.h"
#include "host/objects/HostSearchView.h"
#include "host/objects/HostTabs.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class CityDatabase;
class Faults;

// The host's main window: its handle, its tabs and the city's map.
class HostFrame : public zsys::ComObject<HostFrame, ZeltCore::IHostFrame> {
public:
    HostFrame(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    // The tabs, the same object every time.
    HRESULT Tabs(ZeltCore::IHostTabs** tabs) noexcept override;
    // The main window's handle, the same window of the system layer for the frame's whole life.
    HRESULT Window(HWND* window) noexcept override;
    // The search result view, the same object every time.
    HRESULT SearchView(ZeltCore::IHostSearchView** view) noexcept override;
    // The map, the same object every time.
    HRESULT Map(ZeltCore::IHostMap** map) noexcept override;

    // The main window, read without going through the planted faults.
    HWND Handle() const { return window_; }

    // The search tab of the frame's tabs.
    HostSearchTab& SearchTab() const { return tabs_->SearchTab(); }
    // The search result view.
    HostSearchView& Results() const { return *results_.get(); }
    // The map the frame shows.
    HostMap& CityMap() const { return *map_.get(); }

    // The host objects the frame keeps, itself included.
    long KeptObjects() const {
        return 1 + tabs_->KeptObjects() + results_->KeptObjects() + map_->KeptObjects();
    }
    // References to the frame and what it keeps, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostFrame() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostTabs> tabs_;
    zsys::ComPtr<HostSearchView> results_;
    zsys::ComPtr<HostMap> map_;
    // The main window in the system layer's registry, for exactly as long as the frame lives.
    HWND window_;
};
} // namespace host
