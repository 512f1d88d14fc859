#pragma once

#include <cstdint>

namespace citygen {
// Where the ids of each kind of object start: kinds never share an id.
inline constexpr std::int32_t kFirstCompanyId = 1;
inline constexpr std::int32_t kFirstBranchId = 200'000'001;
inline constexpr std::int32_t kFirstBuildingId = 400'000'001;
inline constexpr std::int32_t kFirstStreetId = 600'000'001;
// Ids stay below this; stable ids never fall in [0, kIdCeiling).
inline constexpr std::int32_t kIdCeiling = 1'000'000'000;

// The stable ids of one kind of object: distinct, scattered over the signed range
// (negative ones included) and never in the range of ids, so that an id mistaken for a
// stable id, or the other way round, never finds an object.
class StableIdSequence {
public:
    explicit StableIdSequence(std::uint32_t seed) : next_(seed) {}

    std::int32_t Next() {
        for (;;) {
            // The finaliser of MurmurHash3 is a bijection: distinct inputs, distinct outputs.
            std::uint32_t x = next_++;
            x ^= x >> 16;
            x *= 0x85EBCA6Bu;
            x ^= x >> 13;
            x *= 0xC2B2AE35u;
            x ^= x >> 16;
            const auto v = static_cast<std::int32_t>(x);
            if (v < 0 || v >= kIdCeiling) return v;
        }
    }

private:
    std::uint32_t next_;
};
} // namespace citygen
