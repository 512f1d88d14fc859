#include "display/MapLayers.h"

#include "core/HostWalks.h"
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "display/NodesInfoBlock.h"
#include "display/NodesInfoLayerBlockGroup.h"
#include "platform/com/Variant.h"
#include "platform/system/Text.h"
#include "resources/ResourceIds.h"
#include "store/Categories.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <set>
#include <string>

using namespace ZeltCore;
using host_walks::MapOf;
using zsys::Bstr;
using zsys::CheckOn;
using zsys::ComPtr;
using zsys::Required;

namespace {
constexpr std::u16string_view kBuildingsLayer = u"Zelt_Map_UMLRHOUS";
// A block's name is this prefix and its category number; it is also the block's image name.
constexpr std::u16string_view kBlockPrefix = u"NodesIcon";

// The buildings layer's block list; null when the host gives none.
ComPtr<IHostLayerBlockList> BlockListOf(IHostView& view) {
    ComPtr<IHostLayers> layers;
    CheckOn<IHostMap>(MapOf(view)->Layers(layers.put()));
    ComPtr<IUnknown> layer;
    CheckOn<IHostLayers>(Required(layers)->Layer(Bstr(kBuildingsLayer).get(), layer.put()));
    ComPtr<IHostLayerBlockList> list;
    CheckOn<IHostLayers>(layers->BlockList(layer.get(), list.put()));
    return list;
}

zsys::Variant AttributeOf(IHostDirObject& object, std::u16string_view name) {
    zsys::Variant value;
    CheckOn<IHostDirObject>(object.Attribute(Bstr(name).get(), value.put()));
    return value;
}

// The directory object a value holds; null for any other value.
ComPtr<IHostDirObject> DirObjectOf(const zsys::Variant& value) {
    if (value.type() != VT_UNKNOWN) return nullptr;
    return ComPtr<IUnknown>(value.get().punkVal).try_as<IHostDirObject>();
}

// A number as the host may give it: an integer, a boolean or decimal text.
LONG ToLong(const zsys::Variant& value) {
    const VARIANT& v = value.get();
    switch (v.vt) {
    case VT_EMPTY:
        return 0;
    case VT_I4:
        return v.lVal;
    case VT_INT:
        return v.intVal;
    case VT_BOOL:
        return v.boolVal;
    case VT_BSTR: {
        std::u16string_view text = zsys::View(v.bstrVal);
        while (!text.empty() && text.front() == u' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == u' ')
            text.remove_suffix(1);
        std::string narrow;
        for (const char16_t c : text) {
            if (c > 0x7F) throw zsys::ComError(DISP_E_TYPEMISMATCH, GUID_NULL);
            narrow.push_back(static_cast<char>(c));
        }
        if (narrow.starts_with('+')) narrow.erase(0, 1);
        LONG n = 0;
        const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), n);
        if (narrow.empty() || error != std::errc() || end != narrow.data() + narrow.size())
            throw zsys::ComError(DISP_E_TYPEMISMATCH, GUID_NULL);
        return n;
    }
    default:
        throw zsys::ComError(DISP_E_TYPEMISMATCH, GUID_NULL);
    }
}

} // namespace

MapLayers::MapLayers() = default;

MapLayers::~MapLayers() {
    Release();
}

void MapLayers::Register(IHostView& view, const Categories& categories, ComPtr<IUnknown> icon,
                         ILayerBlockManager& manager, std::shared_ptr<const LangLocal> language) {
    const ComPtr<IHostLayerBlockList> list = BlockListOf(view);
    ComPtr<IHostMapInfo> info;
    CheckOn<IHostMap>(MapOf(view)->InfoPanel(info.put()));
    if (!info) return; // a map without its panel shows no note layers
    ComPtr<IUnknown> panelBlock;
    CheckOn<IHostMapInfo>(info->Block(Bstr(kCompaniesPanelBlock).get(), panelBlock.put()));
    if (!panelBlock) return;

    group_ = zsys::Make<NodesInfoLayerBlockGroup>(
        language->LoadString(IDS_NOTES), language->LoadString(IDS_NOTES_ON_COMPANIES), std::move(icon));
    ComPtr<IHostFactory> factory;
    CheckOn<IHostView>(view.Factory(factory.put()));
    Required(factory);
    for (int category = 0; category < categories.CategoryCount(); ++category) {
        // Each block shows its category's map image from a collection of its own, under the
        // block's name.
        ComPtr<IUnknown> images;
        CheckOn<IHostFactory>(factory->CreateImageCollection(images.put()));
        Required(images);
        const std::u16string name = std::u16string(kBlockPrefix) + zsys::Decimal(category);
        ComPtr<IUnknown> image;
        CheckOn<IHostImageCollection>(Required(categories.MapImages().Collection())
                                          ->Image(Bstr(categories.ImageName(category)).get(), image.put()));
        const auto edit = images.as<IHostImageCollectionEdit>();
        CheckOn<IHostImageCollectionEdit>(edit->Add(Bstr(name).get(), image.get()));
        CheckOn<IHostImageCollectionEdit>(edit->Commit());

        const auto block = zsys::Make<NodesInfoBlock>(panelBlock, categories.CategoryName(category), name,
                                                      images, &manager, group_, language);
        CheckOn<IHostLayerBlockList>(Required(list)->Add(static_cast<IMapInfoLayerBlock*>(block.get())));
        blocks_.emplace_back(block);
    }
}

void MapLayers::Unregister(IHostView& view) {
    const ComPtr<IHostLayerBlockList> list = BlockListOf(view);
    for (const auto& block : blocks_)
        CheckOn<IHostLayerBlockList>(Required(list)->Remove(block.get()));
}

void MapLayers::RefreshCaptions(IHostView& view, const IImageManager& categories) {
    Unregister(view);
    const ComPtr<IHostLayerBlockList> list = BlockListOf(view);
    for (std::size_t category = 0; category < blocks_.size(); ++category) {
        blocks_[category]->SetCaption(categories.CategoryName(static_cast<int>(category)));
        CheckOn<IHostLayerBlockList>(Required(list)->Add(blocks_[category].get()));
    }
}

void MapLayers::Release() noexcept {
    for (const auto& block : blocks_)
        block->ForgetManager();
    blocks_.clear();
    group_ = nullptr;
}

bool MapLayers::Has(std::int32_t category) const {
    return category >= 0 && static_cast<std::size_t>(category) < blocks_.size();
}

void MapLayers::CountIn(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories) {
    Count(buildings, categories, true);
}

void MapLayers::CountOut(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories) {
    Count(buildings, categories, false);
}

void MapLayers::Count(const std::vector<ULONG>& buildings, const std::vector<std::int32_t>& categories,
                      bool in) {
    for (const std::int32_t category : categories) {
        if (!Has(category)) continue; // a category this plug-in has no layer for
        INodeLayerBlock& block = *blocks_[static_cast<std::size_t>(category)].get();
        for (const ULONG building : buildings) {
            if (in)
                block.AddObject(building);
            else
                block.RemoveObject(building);
        }
    }
}

std::vector<ULONG> MapLayers::Buildings(IHostDirObject& company) {
    const LONG branches = ToLong(AttributeOf(company, u"fil_count"));
    std::set<ULONG> buildings;
    for (LONG n = 1; n <= branches; ++n) {
        const auto branch = DirObjectOf(AttributeOf(company, u"fil_" + zsys::Decimal(n)));
        if (!branch) throw zsys::ComError(E_POINTER, IHostDirObject::iid);
        // A branch without premises stands in no building.
        const auto building = DirObjectOf(AttributeOf(*branch.get(), u"addr_feature"));
        if (!building) continue;
        LONG id = 0;
        CheckOn<IHostDirObject>(building->Id(&id));
        buildings.insert(static_cast<ULONG>(id));
    }
    return {buildings.begin(), buildings.end()};
}

std::int32_t MapLayers::CategoryOfBlockName(std::u16string_view name) {
    return ReadDecimal(name.substr(std::min(name.size(), kBlockPrefix.size())));
}
