#include "host/StableIdIndex.h"

#include <limits>

namespace host {
namespace {
// Marks a free slot; the one entry with this stable id lives outside the array.
constexpr std::int32_t kFree = std::numeric_limits<std::int32_t>::min();

int BitsFor(std::size_t entries) {
    int bits = 4;
    while ((std::size_t{1} << bits) < entries * 2)
        ++bits;
    return bits;
}
} // namespace

StableIdIndex::StableIdIndex(std::size_t expected) : bits_(BitsFor(expected)) {
    slots_.assign(std::size_t{1} << bits_, Slot{kFree, 0});
}

std::size_t StableIdIndex::SlotOf(std::int32_t stableId) const {
    // Fibonacci hashing: the top bits of the product spread neighbouring ids apart.
    return static_cast<std::size_t>((std::uint64_t(std::uint32_t(stableId)) * 0x9E3779B97F4A7C15ull) >>
                                    (64 - bits_));
}

bool StableIdIndex::Insert(std::int32_t stableId, std::int32_t id) {
    if (stableId == kFree) {
        if (reservedId_) return false;
        reservedId_ = id;
        ++size_;
        return true;
    }
    if ((size_ + 1) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = SlotOf(stableId);; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.stableId == stableId) return false;
        if (slot.stableId == kFree) {
            slot = {stableId, id};
            ++size_;
            return true;
        }
    }
}

std::optional<std::int32_t> StableIdIndex::Find(std::int32_t stableId) const {
    if (stableId == kFree) return reservedId_;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = SlotOf(stableId);; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.stableId == stableId) return slot.id;
        if (slot.stableId == kFree) return std::nullopt;
    }
}

void StableIdIndex::Grow() {
    std::vector<Slot> old(std::size_t{1} << (bits_ + 1), Slot{kFree, 0});
    old.swap(slots_);
    ++bits_;
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.stableId == kFree) continue;
        std::size_t i = SlotOf(slot.stableId);
        while (slots_[i].stableId != kFree)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
} // namespace host
