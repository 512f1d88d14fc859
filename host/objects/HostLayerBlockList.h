#pragma once

#include "host/objects/HostLayerBlockSink.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <string>
#include <vector>

namespace host {
class Faults;

// The blocks shown under one map layer, in the order they were added. The host labels a
// block with the tag and caption it reads when the block is added, and gives every block
// a sink of its own at once.
class HostLayerBlockList : public zsys::ComObject<HostLayerBlockList, ZeltCore::IHostLayerBlockList> {
public:
    // A block as the list shows it.
    struct Entry {
        zsys::ComPtr<IUnknown> block; // its identity
        zsys::ComPtr<HostLayerBlockSink> sink;
        std::u16string tag, caption;
    };

    explicit HostLayerBlockList(std::shared_ptr<Faults> faults);

    // Appends a block and attaches a new sink to it. E_INVALIDARG for none or an object
    // that is no layer block; S_FALSE, changing nothing, for a block the list holds; the
    // block's own failure when it refuses the sink or its labels, and it is not added then.
    HRESULT Add(IUnknown* block) noexcept override;
    // Takes a block away with its sink; S_FALSE when the list does not hold it.
    HRESULT Remove(IUnknown* block) noexcept override;

    // The blocks in list order.
    const std::vector<Entry>& Entries() const { return entries_; }
    // Drops every block with its sink, as the host does when it unloads a plug-in.
    void ReleaseBlocks() noexcept;

    // The host objects the list keeps, itself included: its sinks.
    long KeptObjects() const { return 1 + long(entries_.size()); }
    // References to the sinks beyond the list's own, and to the list beyond its `holders`.
    long ForeignReferences(long holders) const;

private:
    ~HostLayerBlockList() override;

    std::shared_ptr<Faults> faults_;
    std::vector<Entry> entries_;
};
} // namespace host
