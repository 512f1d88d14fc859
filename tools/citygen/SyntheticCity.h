#pragma once

#include <cstdint>
#include <string>

namespace citygen {
// A large made-up city for benchmarks: `companies` companies with one to four branches
// in buildings shared by three or four companies each, a few branches without a building,
// streets of forty buildings. Deterministic for a given size. Raises std::runtime_error.
void WriteSyntheticCity(const std::string& path, std::int32_t companies);
} // namespace citygen
