#pragma once

#include "host/HostSearchView.h"
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
    // The main window's handle, the same non-null value for the frame's whole life.
    HRESULT Window(HWND* window) noexcept override;
    // The search result view, the same object every time.
    HRESULT SearchView(ZeltCore::IHostSearchView** view) noexcept override;
    // The map is not served yet.
    HRESULT Map(ZeltCore::IHostMap** map) noexcept override;

    // The search tab of the frame's tabs.
    HostSearchTab& SearchTab() const { return tabs_->SearchTab(); }
    // The search result view.
    HostSearchView& Results() const { return *results_.get(); }

    // The host objects the frame keeps, itself included.
    long KeptObjects() const { return 1 + tabs_->KeptObjects() + results_->KeptObjects(); }
    // References to the frame and what it keeps, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostFrame() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostTabs> tabs_;
    zsys::ComPtr<HostSearchView> results_;
    // Stands in for the main window until the system layer keeps a registry of windows:
    // its address is the handle, so it is unique and lives exactly as long as the frame.
    struct MainWindow {
        char unused = 0;
    } mainWindow_;
};
} // namespace host
