#pragma once

// The map: layers with their lists of blocks, the blocks' sinks, the information panel,
// and the blocks the plug-in registers. Only the order of the operations is binding;
// the names are ours.
#include "hostapi/ZeltCore.h"

namespace ZeltCore {
// Where a layer block announces the objects it marks.
struct IHostLayerBlockSink : IUnknown {
    static constexpr IID iid = zsys::Guid("{4EE68DFA-2A08-40A6-B712-5FF10F09052B}");
    // The object (a building id) is now marked by the block.
    virtual HRESULT Add(ULONG object) = 0;
    // The object is no longer marked by the block.
    virtual HRESULT Remove(ULONG object) = 0;
};

// The blocks shown under a layer. A block added gets a sink at once.
struct IHostLayerBlockList : IUnknown {
    static constexpr IID iid = zsys::Guid("{F092E942-2388-4C35-BF43-6A97F17A31CD}");
    // Adds a block (an object answering IMapInfoLayerBlock and the appearance interfaces).
    virtual HRESULT Add(IUnknown* block) = 0;
    // Takes a block away; S_FALSE when the list does not hold it.
    virtual HRESULT Remove(IUnknown* block) = 0;
};

// The map's layers, by name.
struct IHostLayers : IUnknown {
    static constexpr IID iid = zsys::Guid("{CFCE56D3-9240-40DD-9EEE-00457360FDB6}");
    // The layer of that name ("Zelt_Map_UMLRHOUS"); S_FALSE and null when there is none.
    virtual HRESULT Layer(BSTR name, IUnknown** layer) = 0;
    // The block list of a layer.
    virtual HRESULT BlockList(IUnknown* layer, IHostLayerBlockList** list) = 0;
};

// The information panel's block of the companies at a place.
inline constexpr std::u16string_view kCompaniesPanelBlock = u"Zelt.MapInfo.DirOrg";

// The map's information panel, which lists what stands at a place.
struct IHostMapInfo : IUnknown {
    static constexpr IID iid = zsys::Guid("{763C112E-965B-454D-8B4A-0D30ACDCE18A}");
    // The panel block of that name ("Zelt.MapInfo.DirOrg"); S_FALSE and null when none.
    virtual HRESULT Block(BSTR name, IUnknown** block) = 0;
};

// The map.
struct IHostMap : IUnknown {
    static constexpr IID iid = zsys::Guid("{85EE799F-A84D-4E96-A297-352974E44124}");
    virtual HRESULT Layers(IHostLayers** layers) = 0;
    // S_FALSE and null when the map has no information panel.
    virtual HRESULT InfoPanel(IHostMapInfo** panel) = 0;
};

// Implemented by the plug-in: a block of a layer, marking objects through its sink.
struct IMapInfoLayerBlock : IUnknown {
    static constexpr IID iid = zsys::Guid("{13310871-CD85-4F46-8FD5-5AE912B2A7D0}");
    // The host's sink for this block; the block announces what it marks already.
    virtual HRESULT AttachSink(IHostLayerBlockSink* sink) = 0;
    // The information-panel block that this block filters.
    virtual HRESULT MapInfoBlock(IUnknown** block) = 0;
    // A flag the host keeps on the block.
    virtual HRESULT Flag(VARIANT_BOOL* flag) = 0;
    virtual HRESULT SetFlag(VARIANT_BOOL flag) = 0;
};

// Implemented by the plug-in: a property of a block the host asks about.
struct IMapInfoLayerBlockProp : IUnknown {
    static constexpr IID iid = zsys::Guid("{E61478E7-022A-4872-96D8-1759CEDF89C8}");
    virtual HRESULT Property(IUnknown* first, IUnknown* second, VARIANT_BOOL* value) = 0;
};

// Implemented by the plug-in: a filter of the companies the information panel lists.
struct IMapInfoDirOrgFilter : IUnknown {
    static constexpr IID iid = zsys::Guid("{A44D998A-A9AA-49D6-BBF4-D976403EC2B9}");
    // Whether the panel keeps the company; the second argument is the host's.
    virtual HRESULT Passes(IHostDirObject* company, IUnknown* second, VARIANT_BOOL* passes) = 0;
    // A slot of the host's that this plug-in does not serve.
    virtual HRESULT Unused2(IUnknown* first, IUnknown* second, IUnknown** third) = 0;
    // HTML saying what the filter keeps.
    virtual HRESULT Description(BSTR* description) = 0;
    // The name of the filter's image in its collection.
    virtual HRESULT ImageName(BSTR* name) = 0;
    // The collection holding the filter's image.
    virtual HRESULT ImageCollection(IUnknown** collection) = 0;
};
} // namespace ZeltCore
