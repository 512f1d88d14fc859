#include "display/NodesInfoBlock.h"

#include "core/ILayerBlockManager.h"
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "display/NodesInfoLayerBlockGroup.h"
#include "resources/ResourceIds.h"

#include <utility>

using namespace ZeltCore;

namespace {
constexpr std::u16string_view kPlacement = u"1111SampleInfoBlocks:0130";
} // namespace

NodesInfoBlock::NodesInfoBlock(zsys::ComPtr<IUnknown> panelBlock, std::u16string caption, std::u16string name,
                               zsys::ComPtr<IUnknown> images, ILayerBlockManager* manager,
                               zsys::ComPtr<NodesInfoLayerBlockGroup> group,
                               std::shared_ptr<const LangLocal> language)
    : name_(std::move(name)), caption_(std::move(caption)), panelBlock_(std::move(panelBlock)),
      imageName_(name_), images_(std::move(images)), manager_(manager), group_(std::move(group)),
      language_(std::move(language)) {}

NodesInfoBlock::~NodesInfoBlock() = default;

HRESULT NodesInfoBlock::Tag(BSTR* tag) noexcept try {
    if (!tag) return E_POINTER;
    *tag = nullptr;
    if (name_.empty()) return S_OK;
    return zsys::CopyTo(name_, tag);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::Caption(BSTR* caption) noexcept try {
    if (!caption) return E_POINTER;
    return zsys::CopyTo(caption_, caption);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::Tooltip(BSTR* tooltip) noexcept try {
    if (!tooltip) return E_POINTER;
    return zsys::CopyTo(tooltip_, tooltip);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::Image(IUnknown** image) noexcept try {
    if (!image) return E_POINTER;
    *image = nullptr;
    const auto collection = images_.try_as<IHostImageCollection>();
    if (!collection) return S_OK;
    zsys::CheckOn<IHostImageCollection>(collection->Image(zsys::Bstr(imageName_).get(), image));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::Placement(BSTR* placement) noexcept try {
    if (!placement) return E_POINTER;
    return zsys::CopyTo(kPlacement, placement);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::AttachSink(IHostLayerBlockSink* sink) noexcept try {
    if (!sink) return E_INVALIDARG;
    sink_ = zsys::ComPtr<IHostLayerBlockSink>(sink);
    for (const auto& [building, count] : counts_)
        zsys::CheckOn<IHostLayerBlockSink>(sink_->Add(building));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::MapInfoBlock(IUnknown** block) noexcept {
    if (!block) return E_POINTER;
    *block = nullptr;
    if (!panelBlock_) return E_FAIL;
    return panelBlock_.CopyTo(block);
}

HRESULT NodesInfoBlock::Flag(VARIANT_BOOL* flag) noexcept {
    if (!flag) return E_POINTER;
    *flag = flag_;
    return S_OK;
}

HRESULT NodesInfoBlock::SetFlag(VARIANT_BOOL flag) noexcept {
    flag_ = flag;
    return S_OK;
}

HRESULT NodesInfoBlock::Property(IUnknown*, IUnknown*, VARIANT_BOOL* value) noexcept {
    if (!value) return E_POINTER;
    *value = VARIANT_TRUE;
    return S_OK;
}

void NodesInfoBlock::AddObject(ULONG building) {
    const auto [it, added] = counts_.try_emplace(building, 0);
    if (added) Announce(true, building);
    ++it->second;
}

void NodesInfoBlock::RemoveObject(ULONG building) {
    if (const auto it = counts_.find(building); it != counts_.end() && --it->second == 0) counts_.erase(it);
    if (!counts_.contains(building)) Announce(false, building);
}

void NodesInfoBlock::SetCaption(std::u16string_view caption) {
    caption_ = caption;
}

void NodesInfoBlock::ForgetManager() {
    manager_ = nullptr;
}

void NodesInfoBlock::Announce(bool marked, ULONG building) noexcept {
    // The map may lag behind the counts; the counts are what the next sink hears.
    if (sink_) (void)(marked ? sink_->Add(building) : sink_->Remove(building));
}

HRESULT NodesInfoBlock::Passes(IHostDirObject* company, IUnknown*, VARIANT_BOOL* passes) noexcept try {
    if (!company) return E_INVALIDARG;
    if (!passes) return E_POINTER;
    *passes = VARIANT_FALSE;
    LONG id = 0;
    zsys::CheckOn<IHostDirObject>(company->Id(&id));
    const zsys::Bstr name(name_);
    if (manager_ && manager_->HasCategory(name.get(), id)) *passes = VARIANT_TRUE;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::Unused2(IUnknown* first, IUnknown*, IUnknown** third) noexcept {
    if (!first) return E_INVALIDARG;
    if (!third) return E_POINTER;
    return E_NOTIMPL;
}

HRESULT NodesInfoBlock::Description(BSTR* description) noexcept try {
    if (!description) return E_INVALIDARG;
    *description = nullptr;
    const std::u16string text = language_->LoadString(IDS_COMPANIES_IN_CATEGORY) + u" \"" + caption_ + u"\"";
    return zsys::CopyTo(EscapeHtml(text), description);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::ImageName(BSTR* name) noexcept try {
    if (!name) return E_INVALIDARG;
    return zsys::CopyTo(imageName_, name);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoBlock::ImageCollection(IUnknown** collection) noexcept {
    if (!collection) return E_POINTER;
    *collection = nullptr;
    if (!images_) return E_FAIL;
    return images_.CopyTo(collection);
}

HRESULT NodesInfoBlock::Parent(IUnknown** parent) noexcept {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!group_) return E_FAIL;
    return zsys::ComPtr<IControlAppearance>(group_).CopyTo(parent);
}
