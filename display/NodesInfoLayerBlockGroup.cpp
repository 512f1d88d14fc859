#include "display/NodesInfoLayerBlockGroup.h"

#include <utility>

NodesInfoLayerBlockGroup::NodesInfoLayerBlockGroup(std::u16string caption, std::u16string tooltip,
                                                   zsys::ComPtr<IUnknown> icon)
    : caption_(std::move(caption)), tooltip_(tooltip.empty() ? caption_ : std::move(tooltip)),
      icon_(std::move(icon)) {}

NodesInfoLayerBlockGroup::~NodesInfoLayerBlockGroup() = default;

HRESULT NodesInfoLayerBlockGroup::Tag(BSTR* tag) noexcept try {
    return zsys::CopyTo(tag_, tag);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoLayerBlockGroup::Caption(BSTR* caption) noexcept try {
    return zsys::CopyTo(caption_, caption);
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesInfoLayerBlockGroup::Tooltip(BSTR* tooltip) noexcept try {
    return zsys::CopyTo(tooltip_, tooltip);
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
    return zsys::CopyTo(placement_, placement);
} catch (...) {
    return zsys::Boundary();
}
