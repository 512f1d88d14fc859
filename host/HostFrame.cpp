#include "host/HostFrame.h"

#include "host/Faults.h"

namespace host {
HostFrame::HostFrame(std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)), tabs_(zsys::Make<HostTabs>(faults_)) {}

HostFrame::~HostFrame() = default;

HRESULT HostFrame::Tabs(ZeltCore::IHostTabs** tabs) noexcept try {
    if (!tabs) return E_POINTER;
    *tabs = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.Tabs")) return *planted;
    return tabs_.CopyTo(tabs);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFrame::Window(HWND* window) noexcept try {
    if (!window) return E_POINTER;
    *window = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.Window")) return *planted;
    // The handle is opaque to everyone but the system layer, which never sees this one.
    *window = reinterpret_cast<HWND>(&mainWindow_);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

long HostFrame::ForeignReferences() const {
    return long(RefCount()) - 1 + tabs_->ForeignReferences();
}
} // namespace host
