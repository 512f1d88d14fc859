#include "host/objects/HostCardCommands.h"

#include "host/Faults.h"

namespace host {
HostCardCommands::HostCardCommands(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostCardCommands::~HostCardCommands() {
    ReleaseContents();
}

HRESULT HostCardCommands::AddControl(IUnknown* control) noexcept try {
    if (!control) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostCardCommands.AddControl")) return *planted;
    // A card shows only what it can run.
    zsys::ComPtr<ZeltCore::ICommandAction> action;
    if (FAILED(control->QueryInterface(ZeltCore::ICommandAction::iid, action.put_void())) || !action)
        return E_INVALIDARG;
    Entry entry;
    if (FAILED(control->QueryInterface(IUnknown::iid, entry.command.put_void())) || !entry.command)
        return E_INVALIDARG;
    entries_.push_back(std::move(entry));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostCardCommands::AddSubmenu(BSTR placement, BSTR caption,
                                     ZeltCore::IHostCardCommands** submenu) noexcept try {
    if (!submenu) return E_POINTER;
    *submenu = nullptr;
    if (const auto planted = faults_->Enter("IHostCardCommands.AddSubmenu")) return *planted;
    Entry entry;
    entry.submenu = zsys::Make<HostCardCommands>(faults_);
    entry.placement = zsys::View(placement);
    entry.caption = zsys::View(caption);
    entries_.push_back(entry);
    return entry.submenu.CopyTo(submenu);
} catch (...) {
    return zsys::Boundary();
}

void HostCardCommands::ReleaseContents() noexcept {
    // Taken out first: a command reaching back into the card while it goes finds it empty.
    auto entries = std::move(entries_);
    entries_.clear();
    for (Entry& entry : entries)
        if (entry.submenu) entry.submenu->ReleaseContents();
}
} // namespace host
