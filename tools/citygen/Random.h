#pragma once

#include <cstdint>

namespace citygen {
// A small deterministic generator (splitmix64): the same seed always gives the same city.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, n); 0 for n = 0.
    std::uint32_t Below(std::uint32_t n) {
        return n ? static_cast<std::uint32_t>((Next() >> 32) * n >> 32) : 0;
    }
    // True in `percent` of the calls.
    bool Chance(std::uint32_t percent) { return Below(100) < percent; }

private:
    std::uint64_t state_;
};
} // namespace citygen
