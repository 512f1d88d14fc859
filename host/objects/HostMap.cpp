#include "host/objects/HostMap.h"

#include "host/CityDatabase.h"
#include "host/Faults.h"
#include "host/Utf.h"
#include "host/objects/HostDirObject.h"

#include <cstdio>
#include <stdexcept>

namespace host {
namespace {
void CheckBlock(HRESULT hr, const std::u16string& tag, const char* question) {
    if (SUCCEEDED(hr)) return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", unsigned(hr));
    throw std::runtime_error("the block " + Utf8(tag) + " failed " + question + ": " + code);
}
} // namespace

HostMap::HostMap(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : city_(std::move(city)), faults_(std::move(faults)), layers_(zsys::Make<HostLayers>(faults_)),
      info_(zsys::Make<HostMapInfo>(faults_)) {}

HostMap::~HostMap() = default;

HRESULT HostMap::Layers(ZeltCore::IHostLayers** layers) noexcept try {
    if (!layers) return E_POINTER;
    *layers = nullptr;
    if (const auto planted = faults_->Enter("IHostMap.Layers")) return *planted;
    return zsys::ComPtr<ZeltCore::IHostLayers>(layers_).CopyTo(layers);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostMap::InfoPanel(ZeltCore::IHostMapInfo** panel) noexcept try {
    if (!panel) return E_POINTER;
    *panel = nullptr;
    if (const auto planted = faults_->Enter("IHostMap.InfoPanel")) return *planted;
    return zsys::ComPtr<ZeltCore::IHostMapInfo>(info_).CopyTo(panel);
} catch (...) {
    return zsys::Boundary();
}

HostMap::Panel HostMap::PanelOf(std::int32_t building) {
    if (!city_->Find(CityDatabase::Type::Building, building))
        throw CityError("the city has no building " + std::to_string(building));
    Panel panel;
    std::vector<zsys::ComPtr<HostDirObject>> objects;
    for (const std::int32_t id : city_->CompaniesInBuilding(building)) {
        const auto company = city_->Find(CityDatabase::Type::Company, id);
        if (!company) continue;
        panel.companies.push_back({id, company->name});
        objects.push_back(zsys::Make<HostDirObject>(city_, faults_, CityDatabase::Type::Company, id));
    }
    IUnknown* const companiesBlock = info_->Companies().get();
    // A copy: a block may reach back into the list while it answers.
    const std::vector<HostLayerBlockList::Entry> entries = Blocks().Entries();
    for (const auto& entry : entries) {
        zsys::ComPtr<ZeltCore::IMapInfoLayerBlock> block;
        zsys::ComPtr<ZeltCore::IMapInfoDirOrgFilter> filter;
        entry.block->QueryInterface(ZeltCore::IMapInfoLayerBlock::iid, block.put_void());
        entry.block->QueryInterface(ZeltCore::IMapInfoDirOrgFilter::iid, filter.put_void());
        if (!block || !filter) continue;
        zsys::ComPtr<IUnknown> filtered;
        CheckBlock(block->MapInfoBlock(filtered.put()), entry.tag, "to name its panel block");
        zsys::ComPtr<IUnknown> identity;
        if (filtered) filtered->QueryInterface(IUnknown::iid, identity.put_void());
        if (identity.get() != companiesBlock) continue;

        Panel::Filter kept{entry.tag, {}, {}};
        for (std::size_t n = 0; n < objects.size(); ++n) {
            VARIANT_BOOL passes = VARIANT_FALSE;
            CheckBlock(filter->Passes(objects[n].get(), companiesBlock, &passes), entry.tag,
                       "to filter a company");
            if (passes) kept.companies.push_back(panel.companies[n].id);
        }
        if (kept.companies.empty()) continue;
        zsys::Bstr description;
        CheckBlock(filter->Description(description.put()), entry.tag, "to describe its filter");
        kept.description = description.str();
        panel.filters.push_back(std::move(kept));
    }
    return panel;
}

long HostMap::ForeignReferences() const {
    return long(RefCount()) - 1 + layers_->ForeignReferences() + info_->ForeignReferences();
}
} // namespace host
