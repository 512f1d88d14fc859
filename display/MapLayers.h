#pragma once

#include "display/INodeLayerBlock.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class Categories;
class IImageManager;
class ILayerBlockManager;
class LangLocal;
class NodesInfoLayerBlockGroup;

// The note categories on the host's map: one layer block per category on the buildings
// layer, all under one group, and the counting of a company's buildings into them. The
// blocks sit in category order, so a category's block is found by its number.
class MapLayers {
public:
    MapLayers();
    // Lets go of the blocks as Release does.
    ~MapLayers();
    MapLayers(const MapLayers&) = delete;
    MapLayers& operator=(const MapLayers&) = delete;

    // Adds a block per category to the buildings layer, under a new group showing the
    // notes icon. Registers nothing, silently, when the map has no information panel or
    // the panel has no company block. A host failure is raised; the blocks added before it
    // stay added.
    void Register(ZeltCore::IHostView& view, const Categories& categories, zsys::ComPtr<IUnknown> icon,
                  ILayerBlockManager& manager, std::shared_ptr<const LangLocal> language);
    // Takes every block off the buildings layer, in category order; they stay here. A host
    // failure is raised.
    void Unregister(ZeltCore::IHostView& view);
    // Takes every block off and adds it again with its category's current name, so that the
    // host shows the new captions. A host failure is raised.
    void RefreshCaptions(ZeltCore::IHostView& view, const IImageManager& categories);
    // Lets go of the blocks, then of the group. The host may hold a block longer: from now on
    // its filter keeps no company, as the manager may be gone.
    void Release() noexcept;

    // Whether the category has a block.
    bool Has(std::int32_t category) const;
    // Counts the buildings into (out of) the blocks of the categories, in their order;
    // categories without a block are skipped.
    void CountIn(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories);
    void CountOut(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories);

    // The buildings the company's branches stand in, ascending, each once; a branch without
    // a building is skipped. A branch that is not a directory object is raised as E_POINTER,
    // a host failure as what the host said.
    static std::vector<ULONG> Buildings(ZeltCore::IHostDirObject& company);
    // The category a block name stands for: what follows "NodesIcon", read as the C
    // library's wcstol reads a decimal number (0 when there is none, "NodesIcon" included).
    static std::int32_t CategoryOfBlockName(std::u16string_view name);

private:
    void Count(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories, bool in);

    zsys::ComPtr<NodesInfoLayerBlockGroup> group_;
    std::vector<zsys::ComPtr<INodeLayerBlock>> blocks_;
};
