#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <set>
#include <vector>

namespace host {
class Faults;

// Where one layer block announces the buildings it marks: the host draws the marked set,
// and keeps every announcement in order for whoever wants to see how it came about.
class HostLayerBlockSink : public zsys::ComObject<HostLayerBlockSink, ZeltCore::IHostLayerBlockSink> {
public:
    // One call of the block: a building marked, or no longer marked.
    struct Announcement {
        bool marked;
        ULONG building;
        friend bool operator==(const Announcement&, const Announcement&) = default;
    };

    explicit HostLayerBlockSink(std::shared_ptr<Faults> faults);

    // Marks the building; marking it again changes nothing.
    HRESULT Add(ULONG object) noexcept override;
    // Unmarks the building; one that is not marked stays so.
    HRESULT Remove(ULONG object) noexcept override;

    // The buildings marked now, ascending.
    const std::set<ULONG>& Marked() const { return marked_; }
    // Every call served, in order.
    const std::vector<Announcement>& Announcements() const { return announcements_; }

private:
    ~HostLayerBlockSink() override;

    std::shared_ptr<Faults> faults_;
    std::set<ULONG> marked_;
    std::vector<Announcement> announcements_;
};
} // namespace host
