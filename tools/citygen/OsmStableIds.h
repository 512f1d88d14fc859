#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace citygen {
// What a stable id of a city imported from OpenStreetMap is made from: a 64-bit key that
// depends on the object alone, so that a newer extract of the same place gives every
// object that is still there the same key.
enum class OsmKeyKind : std::uint64_t { Node = 1, Way = 2, Relation = 3, Brand = 4, Name = 5 };
// The key of an OpenStreetMap object (kind Node, Way or Relation) or of a brand's
// Wikidata number ("Q123" is 123).
std::uint64_t OsmKey(OsmKeyKind kind, std::uint64_t id);
// The key of a text: a street's name, a brand whose Wikidata entry is no Q number.
std::uint64_t OsmNameKey(std::string_view text);

// The 32-bit value tried for a key at attempt 0, 1, 2, …
using StableHash = std::uint32_t (*)(std::uint64_t key, std::uint32_t attempt);
// The hash every import uses: 64-bit mixing of the key and the attempt.
std::uint32_t MixedStableHash(std::uint64_t key, std::uint32_t attempt);

// The stable ids of one kind of object, one per key, in the order of `keys`.
//
// The collision rule: keys are served in ascending order (equal keys in the order given);
// each takes the first value of hash(key, 0), hash(key, 1), … that lies outside the range
// of ids, [0, kIdCeiling), and that no key served before it took. So an object whose
// first value is free keeps it whatever else the extract holds, and of two objects that
// want one value the lower key always gets it. Raises std::runtime_error when a key finds
// no free value in 64 attempts.
std::vector<std::int32_t> AssignStableIds(const std::vector<std::uint64_t>& keys,
                                          StableHash hash = MixedStableHash);
} // namespace citygen
