#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <cstdint>
#include <span>
#include <vector>

namespace host {
// The companies among `candidates` (ids, ascending) that every quick filter keeps. Each
// company is asked of the filters in order until one drops it: a positive distance d skips
// straight to the first candidate from id + d on, -1 ends the pass, any other answer or a
// failing test drops just that company. Only the ids are touched, never the city's rows.
std::vector<std::int32_t>
KeptByQuickFilters(std::span<const std::int32_t> candidates,
                   std::span<const zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>> filters);
} // namespace host
