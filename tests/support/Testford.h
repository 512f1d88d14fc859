#pragma once

#include <cstdint>
#include <string>

namespace testsupport {
// The small city the suites share, "Testford", and the ids of what it holds:
//   Café Lumière (11, stable 1001): branches 201 at 12 Mill Street, 202 at 14A Mill Street,
//     203 at 3 Ferry Lane (written out of order)
//   Mill Street Dental (12, stable -1002): branch 204 at 12 Mill Street
//   Testford Taxis (13, stable 11, the id of Café Lumière): branch 205 without premises
//   Edge Case Ltd (14, stable INT32_MIN): no branches
//   Ghost Lane Storage (15, stable 1005): branch 206 in building 999, which the city lacks
namespace testford {
constexpr std::int32_t kCafe = 11, kDentist = 12, kTaxis = 13, kEdge = 14, kGhost = 15;
constexpr std::int32_t kCafeStable = 1001, kDentistStable = -1002, kTaxisStable = 11, kGhostStable = 1005;
constexpr std::int32_t kEdgeStable = INT32_MIN, kMillStreetStable = 7001, kMill14AStable = 8002;
constexpr std::int32_t kMillStreet = 600000001, kMill12 = 400000001, kMill14A = 400000002;
constexpr std::int32_t kCafeBranch1 = 201, kCafeBranch3 = 203, kCafeBranch1Stable = 5001;
} // namespace testford

// Writes Testford once per test program, in a folder removed when the program ends, and
// returns the path of its city file ("…/Data_Testford.dat").
const std::string& TestfordPath();
} // namespace testsupport
