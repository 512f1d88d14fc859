#pragma once

#include "display/INodeLayerBlock.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <map>
#include <memory>
#include <string>

class ILayerBlockManager;
class LangLocal;
class NodesInfoLayerBlockGroup;

// One note category on the host's buildings layer. It marks, through the sink the host
// attached, every building counted into it (a building stays marked while any counted
// company in it carries the category), and as a filter of the map's information panel it
// keeps the companies whose note carries its category.
class NodesInfoBlock
    : public zsys::ComObject<NodesInfoBlock, ZeltCore::IControlAppearance, ZeltCore::IControlPlacement,
                             ZeltCore::IMapInfoLayerBlock, ZeltCore::IMapInfoLayerBlockProp, INodeLayerBlock,
                             ZeltCore::IMapInfoDirOrgFilter, ZeltCore::IChildControl> {
public:
    // `name` ("NodesIcon3") is the block's tag and the name of its image in `images`, a
    // collection of its own; `panelBlock` is the information-panel block it filters. The
    // manager answers which company carries the category; it must outlive the block or be
    // forgotten first.
    NodesInfoBlock(zsys::ComPtr<IUnknown> panelBlock, std::u16string caption, std::u16string name,
                   zsys::ComPtr<IUnknown> images, ILayerBlockManager* manager,
                   zsys::ComPtr<NodesInfoLayerBlockGroup> group, std::shared_ptr<const LangLocal> language);

    // IControlAppearance: the name (null when empty), the caption, an empty tooltip, and
    // the category image from the block's collection (null without a collection).
    HRESULT Tag(BSTR* tag) noexcept override;
    HRESULT Caption(BSTR* caption) noexcept override;
    HRESULT Tooltip(BSTR* tooltip) noexcept override;
    HRESULT Image(IUnknown** image) noexcept override;
    // IControlPlacement: "1111SampleInfoBlocks:0130" for every block.
    HRESULT Placement(BSTR* placement) noexcept override;

    // IMapInfoLayerBlock: a new sink hears of every building counted so far, in
    // ascending order; E_INVALIDARG for none, E_FAIL when the sink fails.
    HRESULT AttachSink(ZeltCore::IHostLayerBlockSink* sink) noexcept override;
    // The panel block; E_FAIL when there is none.
    HRESULT MapInfoBlock(IUnknown** block) noexcept override;
    // A flag only the host uses; set at creation.
    HRESULT Flag(VARIANT_BOOL* flag) noexcept override;
    HRESULT SetFlag(VARIANT_BOOL flag) noexcept override;

    // IMapInfoLayerBlockProp: always true.
    HRESULT Property(IUnknown* first, IUnknown* second, VARIANT_BOOL* value) noexcept override;

    // INodeLayerBlock.
    void AddObject(ULONG building) override;
    void RemoveObject(ULONG building) override;
    void SetCaption(std::u16string_view caption) override;
    void ForgetManager() override;

    // IMapInfoDirOrgFilter: keeps a company whose note carries the category (none once
    // the manager is forgotten).
    HRESULT Passes(ZeltCore::IHostDirObject* company, IUnknown* second,
                   VARIANT_BOOL* passes) noexcept override;
    // Not served: E_NOTIMPL once the arguments are there.
    HRESULT Unused2(IUnknown* first, IUnknown* second, IUnknown** third) noexcept override;
    // "Companies in the note category "<caption>"" as HTML; E_INVALIDARG for a null out.
    HRESULT Description(BSTR* description) noexcept override;
    // The image's name; E_INVALIDARG for a null out.
    HRESULT ImageName(BSTR* name) noexcept override;
    // The block's own collection; E_FAIL when it has none.
    HRESULT ImageCollection(IUnknown** collection) noexcept override;

    // IChildControl: the group; E_FAIL when there is none.
    HRESULT Parent(IUnknown** parent) noexcept override;

private:
    ~NodesInfoBlock() override;
    // Tells the sink, if there is one; the count changes all the same when it fails.
    void Announce(bool marked, ULONG building) noexcept;

    zsys::ComPtr<ZeltCore::IHostLayerBlockSink> sink_;
    std::u16string name_;
    std::u16string caption_;
    std::u16string tooltip_;
    zsys::ComPtr<IUnknown> panelBlock_;
    std::u16string imageName_;
    VARIANT_BOOL flag_ = VARIANT_TRUE;
    zsys::ComPtr<IUnknown> images_;
    ILayerBlockManager* manager_;
    zsys::ComPtr<NodesInfoLayerBlockGroup> group_;
    // Building id → how many counted companies stand in it; never 0 while present.
    std::map<ULONG, ULONG> counts_;
    std::shared_ptr<const LangLocal> language_;
};
