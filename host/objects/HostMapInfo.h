#pragma once

#include "host/objects/HostMapPart.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// The map's information panel: what stands at a place, in blocks. Plug-ins filter one:
// the companies block "Zelt.MapInfo.DirOrg".
class HostMapInfo : public zsys::ComObject<HostMapInfo, ZeltCore::IHostMapInfo> {
public:
    explicit HostMapInfo(std::shared_ptr<Faults> faults);

    // "Zelt.MapInfo.DirOrg" gives the companies block, the same object every time; S_FALSE
    // and null for any other name.
    HRESULT Block(BSTR name, IUnknown** block) noexcept override;

    // The companies block.
    const zsys::ComPtr<HostMapPart>& Companies() const { return companies_; }

    // The host objects the panel keeps, itself included.
    long KeptObjects() const { return 2; }
    // References to the panel and its block, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostMapInfo() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostMapPart> companies_;
};
} // namespace host
