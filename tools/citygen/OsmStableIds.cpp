#include "tools/citygen/OsmStableIds.h"

#include "tools/citygen/StableIdSequence.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>
#include <unordered_set>

namespace citygen {
namespace {
constexpr int kKindShift = 60;
constexpr std::uint64_t kIdMask = (std::uint64_t{1} << kKindShift) - 1;
constexpr std::uint32_t kAttempts = 64;

std::uint64_t Mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

std::uint64_t OsmKey(OsmKeyKind kind, std::uint64_t id) {
    return static_cast<std::uint64_t>(kind) << kKindShift | (id & kIdMask);
}

std::uint64_t OsmNameKey(std::string_view text) {
    std::uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ull;
    }
    return OsmKey(OsmKeyKind::Name, h);
}

std::uint32_t MixedStableHash(std::uint64_t key, std::uint32_t attempt) {
    return static_cast<std::uint32_t>(Mix64(key + 0x9E3779B97F4A7C15ull * (attempt + 1)) >> 32);
}

std::vector<std::int32_t> AssignStableIds(const std::vector<std::uint64_t>& keys, StableHash hash) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::int32_t> ids(keys.size());
    std::unordered_set<std::int32_t> taken;
    taken.reserve(keys.size());
    for (const std::size_t i : order) {
        std::uint32_t attempt = 0;
        for (;; ++attempt) {
            if (attempt == kAttempts)
                throw std::runtime_error("citygen: no free stable id for the object of key " +
                                         std::to_string(keys[i]));
            const auto v = static_cast<std::int32_t>(hash(keys[i], attempt));
            if ((v < 0 || v >= kIdCeiling) && taken.insert(v).second) {
                ids[i] = v;
                break;
            }
        }
    }
    return ids;
}
} // namespace citygen
