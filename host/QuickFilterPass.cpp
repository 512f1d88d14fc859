#include "host/QuickFilterPass.h"

#include <algorithm>

namespace host {
namespace {
// The first position from `from` on whose id is at least `id`: galloping, so that a
// skip costs the log of its length, not of the whole list.
std::size_t FirstFrom(std::span<const std::int32_t> ids, std::size_t from, std::int64_t id) {
    std::size_t step = 1, low = from;
    while (low + step < ids.size() && ids[low + step] < id) {
        low += step;
        step *= 2;
    }
    const auto end = ids.begin() + std::ptrdiff_t(std::min(low + step, ids.size()));
    return std::size_t(std::lower_bound(ids.begin() + std::ptrdiff_t(low), end, id,
                                        [](std::int32_t a, std::int64_t b) { return a < b; }) -
                       ids.begin());
}
} // namespace

std::vector<std::int32_t>
KeptByQuickFilters(std::span<const std::int32_t> candidates,
                   std::span<const zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>> filters) {
    std::vector<std::int32_t> kept;
    std::size_t at = 0;
    while (at < candidates.size()) {
        const std::int32_t id = candidates[at];
        std::int64_t next = std::int64_t(id) + 1;
        bool keep = true;
        for (const auto& filter : filters) {
            LONG distance = 0;
            if (FAILED(filter->Test(id, &distance))) {
                keep = false;
                break;
            }
            if (distance == 0) continue;
            if (distance == -1) return kept;
            if (distance > 0) next = std::int64_t(id) + distance;
            keep = false;
            break;
        }
        if (keep) kept.push_back(id);
        at = FirstFrom(candidates, at + 1, next);
    }
    return kept;
}
} // namespace host
