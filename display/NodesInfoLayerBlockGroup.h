#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <string>

// The group the host lists the category layer blocks under: "Notes", with the notes icon.
class NodesInfoLayerBlockGroup
    : public zsys::ComObject<NodesInfoLayerBlockGroup, ZeltCore::IControlAppearance,
                             ZeltCore::IControlPlacement> {
public:
    // An empty tooltip is replaced by the caption; the icon may be null.
    NodesInfoLayerBlockGroup(std::u16string caption, std::u16string tooltip, zsys::ComPtr<IUnknown> icon);

    // "NodesMainBlock".
    HRESULT Tag(BSTR* tag) noexcept override;
    HRESULT Caption(BSTR* caption) noexcept override;
    HRESULT Tooltip(BSTR* tooltip) noexcept override;
    // The notes icon; E_FAIL when the group has none.
    HRESULT Image(IUnknown** image) noexcept override;
    // "BlockPlacement".
    HRESULT Placement(BSTR* placement) noexcept override;

private:
    ~NodesInfoLayerBlockGroup() override;

    std::u16string placement_ = u"BlockPlacement";
    std::u16string tag_ = u"NodesMainBlock";
    std::u16string caption_;
    std::u16string tooltip_;
    zsys::ComPtr<IUnknown> icon_;
};
