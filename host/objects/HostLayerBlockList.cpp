#include "host/objects/HostLayerBlockList.h"

#include "host/Faults.h"

#include <algorithm>
#include <utility>

namespace host {
namespace {
// A text the block gives; the block's failure raised.
HRESULT Label(ZeltCore::IControlAppearance& appearance, HRESULT (ZeltCore::IControlAppearance::*read)(BSTR*),
              std::u16string& text) {
    zsys::Bstr value;
    const HRESULT hr = (appearance.*read)(value.put());
    if (SUCCEEDED(hr)) text = value.str();
    return hr;
}
} // namespace

HostLayerBlockList::HostLayerBlockList(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostLayerBlockList::~HostLayerBlockList() {
    ReleaseBlocks();
}

HRESULT HostLayerBlockList::Add(IUnknown* block) noexcept try {
    if (!block) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostLayerBlockList.Add")) return *planted;
    zsys::ComPtr<ZeltCore::IMapInfoLayerBlock> layerBlock;
    if (FAILED(block->QueryInterface(ZeltCore::IMapInfoLayerBlock::iid, layerBlock.put_void())) ||
        !layerBlock)
        return E_INVALIDARG;
    Entry entry{zsys::IdentityOf(block), nullptr, {}, {}};
    if (!entry.block) return E_INVALIDARG;
    if (std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.block == entry.block; }))
        return S_FALSE;
    zsys::ComPtr<ZeltCore::IControlAppearance> appearance;
    if (SUCCEEDED(block->QueryInterface(ZeltCore::IControlAppearance::iid, appearance.put_void())) &&
        appearance) {
        if (const HRESULT hr = Label(*appearance.get(), &ZeltCore::IControlAppearance::Tag, entry.tag);
            FAILED(hr))
            return hr;
        if (const HRESULT hr =
                Label(*appearance.get(), &ZeltCore::IControlAppearance::Caption, entry.caption);
            FAILED(hr))
            return hr;
    }
    entry.sink = zsys::Make<HostLayerBlockSink>(faults_);
    if (const HRESULT hr = layerBlock->AttachSink(entry.sink.get()); FAILED(hr)) return hr;
    entries_.push_back(std::move(entry));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostLayerBlockList::Remove(IUnknown* block) noexcept try {
    if (!block) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostLayerBlockList.Remove")) return *planted;
    const auto identity = zsys::IdentityOf(block);
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.block == identity; });
    if (it == entries_.end()) return S_FALSE;
    // Taken out before it goes, so that a block reaching back into the list finds it gone.
    Entry removed = std::move(*it);
    entries_.erase(it);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

void HostLayerBlockList::ReleaseBlocks() noexcept {
    auto entries = std::move(entries_);
    entries_.clear();
    entries.clear();
}

long HostLayerBlockList::ForeignReferences(long holders) const {
    long references = long(RefCount()) - holders;
    for (const Entry& entry : entries_)
        references += long(entry.sink->RefCount()) - 1;
    return references;
}
} // namespace host
