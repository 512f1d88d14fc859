#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace host {
// Finds an object's id from its stable id in constant time. Open addressing over one
// flat array of 8-byte slots, kept at most half full: a million companies take 16 MiB.
class StableIdIndex {
public:
    // An empty index with room for `expected` entries before it grows.
    explicit StableIdIndex(std::size_t expected = 0);

    // Adds a stable id with its id; false (and nothing changes) when the stable id is there.
    bool Insert(std::int32_t stableId, std::int32_t id);
    // The id of a stable id; none when it was never inserted.
    std::optional<std::int32_t> Find(std::int32_t stableId) const;
    std::size_t Size() const { return size_; }
    // The bytes the index holds.
    std::size_t MemoryUsage() const { return slots_.capacity() * sizeof(Slot); }

private:
    struct Slot {
        std::int32_t stableId;
        std::int32_t id;
    };
    std::size_t SlotOf(std::int32_t stableId) const;
    void Grow();

    std::vector<Slot> slots_;
    int bits_ = 0;
    std::size_t size_ = 0;
    // The stable id that marks a free slot is kept aside.
    std::optional<std::int32_t> reservedId_;
};
} // namespace host
