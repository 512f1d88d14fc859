#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {
class Faults;
class HostImage;
class HostSearchGroup;

// The search tab: the groups that plug-ins made on it, in the order they were made.
class HostSearchTab : public zsys::ComObject<HostSearchTab, ZeltCore::IHostSearchTab> {
public:
    explicit HostSearchTab(std::shared_ptr<Faults> faults);

    // A new group (null texts are empty ones); E_INVALIDARG for an empty id. A group whose
    // id the tab already has takes the old one's place, and the old one lets go of what
    // it holds: a plug-in started again builds its group anew.
    HRESULT CreateGroup(LONG kind, BSTR id, BSTR placement, BSTR caption, IUnknown** group) noexcept override;

    // The groups in the order they were made; empty until a plug-in makes one.
    const std::vector<zsys::ComPtr<HostSearchGroup>>& Groups() const { return groups_; }
    // Drops every group, each letting go of the plug-in's images, buttons and controls,
    // as the host does when it unloads a plug-in.
    void ReleaseGroups() noexcept;

    // The host's own company-name box, which the person types into; empty at first.
    void TypeName(std::u16string text) { name_ = std::move(text); }
    const std::u16string& NameText() const { return name_; }

    // The host objects the tab keeps, itself included: its groups and the host's images
    // they show.
    long KeptObjects() const;
    // References to the tab, its groups and their host images, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostSearchTab() override;
    // The host's images the groups show, with how often the groups hold each.
    std::map<const HostImage*, long> ShownImages() const;

    std::shared_ptr<Faults> faults_;
    std::vector<zsys::ComPtr<HostSearchGroup>> groups_;
    std::u16string name_;
};
} // namespace host
