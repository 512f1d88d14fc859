#include "host/objects/HostDirPage.h"

#include "host/Faults.h"

#include <algorithm>

namespace host {
HostDirPage::HostDirPage(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostDirPage::~HostDirPage() {
    ReleaseControllers();
}

HRESULT HostDirPage::AttachController(IUnknown* controller) noexcept try {
    if (!controller) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostDirPage.AttachController")) return *planted;
    zsys::ComPtr<ZeltCore::IStdDirectoryCustomController> directory;
    if (FAILED(
            controller->QueryInterface(ZeltCore::IStdDirectoryCustomController::iid, directory.put_void())) ||
        !directory)
        return E_INVALIDARG;
    auto identity = zsys::IdentityOf(controller);
    if (!identity) return E_INVALIDARG;
    if (std::find(controllers_.begin(), controllers_.end(), identity) != controllers_.end()) return S_FALSE;
    controllers_.push_back(std::move(identity));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostDirPage::DetachController(IUnknown* controller) noexcept try {
    if (!controller) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostDirPage.DetachController")) return *planted;
    const auto identity = zsys::IdentityOf(controller);
    const auto found = std::find(controllers_.begin(), controllers_.end(), identity);
    if (!identity || found == controllers_.end()) return S_FALSE;
    // Taken out first: the controller may reach back into the page while it goes.
    const zsys::ComPtr<IUnknown> going = std::move(*found);
    controllers_.erase(found);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

void HostDirPage::ReleaseControllers() noexcept {
    auto controllers = std::move(controllers_);
    controllers_.clear();
}
} // namespace host
