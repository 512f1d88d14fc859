#include "display/NodesInfoLayerBlockGroup.h"

#include <utility>

namespace {
HRESULT CopyText(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    *out = zsys::AllocBstr(text);
    return S_OK;
}
} // namespace

NodesInfoLayerBlockGroup::NodesInfoLayerBlockGroup(std::u16string caption, std::u16string tooltip,
                                                   zsys::ComPtr<IUnknown> icon)
    : caption_(std::move(caption)), tooltip_(tooltip.empty() ? caption_ : std::move(tooltip)),
      icon_(std::move(icon)) {}

NodesInfoLayerBlockGroup::~NodesInfoLayerBlockGroup() = default;

HRESULT NodesInfoLayerBlockGroup::Tag(BSTR* tag) noexcept try { return CopyText(tag_, tag); } catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoLayerBlockGroup::Caption(BSTR* caption) noexcept try {
    return CopyText(caption_, caption);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoLayerBlockGroup::Tooltip(BSTR* tooltip) noexcept try {
    return CopyText(tooltip_, tooltip);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoLayerBlockGroup::Image(IUnknown** image) noexcept {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!icon_) return E_FAIL;
    return icon_.CopyTo(image);
}

HRESULT NodesInfoLayerBlockGroup::Placement(BSTR* placement) noexcept try {
    if (!placement) return E_POINTER;
    if (placement_.empty()) return E_FAIL;
    return CopyText(placement_, placement);
} catch (...) {
    return zsys::Boundary();
}
