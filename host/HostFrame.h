#pragma once

#include "host/HostTabs.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// The host's main window: its handle and its tabs.
class HostFrame : public zsys::ComObject<HostFrame, ZeltCore::IHostFrame> {
public:
    explicit HostFrame(std::shared_ptr<Faults> faults);

    // The tabs, the same object every time.
    HRESULT Tabs(ZeltCore::IHostTabs** tabs) noexcept override;
    // The main window's handle, the same window of the system layer for the frame's whole life.
    HRESULT Window(HWND* window) noexcept override;
    // The result view and the map are not served yet.
    HRESULT SearchView(ZeltCore::IHostSearchView** view) noexcept override;
    HRESULT Map(ZeltCore::IHostMap** map) noexcept override;

    // The main window, read without going through the planted faults.
    HWND Handle() const { return window_; }

    // The search tab of the frame's tabs.
    HostSearchTab& SearchTab() const { return tabs_->SearchTab(); }

    // The host objects the frame keeps, itself included.
    long KeptObjects() const { return 1 + tabs_->KeptObjects(); }
    // References to the frame and what it keeps, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostFrame() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostTabs> tabs_;
    // The main window in the system layer's registry, for exactly as long as the frame lives.
    HWND window_;
};
} // namespace host
