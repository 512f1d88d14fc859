#pragma once

#include "host/objects/HostLayers.h"
#include "host/objects/HostMapInfo.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {
class CityDatabase;
class Faults;

// The city's map: its layers and its information panel.
class HostMap : public zsys::ComObject<HostMap, ZeltCore::IHostMap> {
public:
    // What the information panel shows for a building.
    struct Panel {
        struct Company {
            std::int32_t id;
            std::u16string name;
        };
        // A layer block that filters the panel's companies, with what it keeps.
        struct Filter {
            std::u16string tag;
            std::u16string description; // HTML, as the block gives it
            std::vector<std::int32_t> companies;
        };
        std::vector<Company> companies; // every company with a branch in the building, ascending id
        std::vector<Filter> filters;    // in block-list order, only those that keep any company
    };

    HostMap(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    // The layers, the same object every time.
    HRESULT Layers(ZeltCore::IHostLayers** layers) noexcept override;
    // The information panel, the same object every time.
    HRESULT InfoPanel(ZeltCore::IHostMapInfo** panel) noexcept override;

    // The panel for a building: its companies, then for every block of the buildings layer
    // that filters the panel's companies block, the companies it passes and its
    // description. Raises CityError for a building the city lacks and std::runtime_error
    // when a block fails to answer.
    Panel PanelOf(std::int32_t building);

    // The blocks of the buildings layer.
    HostLayerBlockList& Blocks() const { return layers_->Buildings(); }
    // Drops every block the plug-ins added, as the host does when it unloads a plug-in.
    void ReleaseBlocks() noexcept { layers_->Buildings().ReleaseBlocks(); }

    // The host objects the map keeps, itself included.
    long KeptObjects() const { return 1 + layers_->KeptObjects() + info_->KeptObjects(); }
    // References to the map and what it keeps, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostMap() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostLayers> layers_;
    zsys::ComPtr<HostMapInfo> info_;
};
} // namespace host
