#include "host/objects/HostSearchTab.h"

#include "host/Faults.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"

#include <algorithm>
#include <utility>

namespace host {
HostSearchTab::HostSearchTab(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostSearchTab::~HostSearchTab() {
    ReleaseGroups();
}

HRESULT HostSearchTab::CreateGroup(LONG kind, BSTR id, BSTR placement, BSTR caption,
                                   IUnknown** group) noexcept try {
    if (!group) return E_POINTER;
    *group = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchTab.CreateGroup")) return *planted;
    const std::u16string_view name = zsys::View(id);
    if (name.empty()) return E_INVALIDARG;
    auto made = zsys::Make<HostSearchGroup>(faults_, kind, std::u16string(name),
                                            std::u16string(zsys::View(placement)),
                                            std::u16string(zsys::View(caption)));
    const auto same = std::find_if(groups_.begin(), groups_.end(),
                                   [&](const auto& existing) { return existing->Id() == name; });
    if (same != groups_.end()) {
        zsys::ComPtr<HostSearchGroup> old = std::exchange(*same, made);
        old->ReleaseContents();
    } else {
        groups_.push_back(made);
    }
    *group = static_cast<ZeltCore::IHostSearchGroup*>(made.detach());
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

void HostSearchTab::ReleaseGroups() noexcept {
    // Taken out first, so that a plug-in object reaching back into the tab while it goes
    // finds it already empty.
    auto groups = std::move(groups_);
    groups_.clear();
    for (const auto& g : groups)
        g->ReleaseContents();
}

std::map<const HostImage*, long> HostSearchTab::ShownImages() const {
    std::map<const HostImage*, long> shown;
    for (const auto& group : groups_)
        for (const auto* picture : {&group->Icon(), &group->Image()})
            if (const auto* image = dynamic_cast<const HostImage*>(picture->get())) ++shown[image];
    return shown;
}

long HostSearchTab::KeptObjects() const {
    return 1 + long(groups_.size()) + long(ShownImages().size());
}

long HostSearchTab::ForeignReferences() const {
    long references = long(RefCount()) - 1;
    for (const auto& group : groups_)
        references += long(group->RefCount()) - 1;
    for (const auto& [image, holdings] : ShownImages())
        references += long(image->RefCount()) - holdings;
    return references;
}
} // namespace host
