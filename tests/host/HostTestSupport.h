#pragma once

#include "platform/com/SafeArray.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hosttest {
// Ids of the small city that the host tests serve ("Testford").
//   Café Lumière (11, stable 1001): branches 201 at 12 Mill Street, 202 at 14A Mill Street,
//     203 at 3 Ferry Lane (written out of order)
//   Mill Street Dental (12, stable -1002): branch 204 at 12 Mill Street
//   Testford Taxis (13, stable 11, the id of Café Lumière): branch 205 without premises
//   Edge Case Ltd (14, stable INT32_MIN): no branches
//   Ghost Lane Storage (15, stable 1005): branch 206 in building 999, which the city lacks
namespace city {
constexpr std::int32_t kCafe = 11, kDentist = 12, kTaxis = 13, kEdge = 14, kGhost = 15;
constexpr std::int32_t kCafeStable = 1001, kDentistStable = -1002, kTaxisStable = 11, kGhostStable = 1005;
constexpr std::int32_t kEdgeStable = INT32_MIN;
constexpr std::int32_t kMillStreet = 600000001, kFerryLane = 600000002;
constexpr std::int32_t kMill12 = 400000001, kMill14A = 400000002, kFerry3 = 400000003;
constexpr std::int32_t kMill14AStable = 8002, kMillStreetStable = 7001;
constexpr std::int32_t kCafeBranch1 = 201, kCafeBranch2 = 202, kCafeBranch3 = 203, kTaxiBranch = 205;
constexpr std::int32_t kCafeBranch1Stable = 5001;
} // namespace city

// Writes Testford once per test program and returns its path ("…/Data_Testford.dat").
const std::string& TestCityPath();
// A fresh file path in the test's temporary folder.
std::string TempPath(const std::string& name);
// A PNG of the size, every pixel of one colour.
std::vector<std::uint8_t> MakePng(int width, int height, std::uint32_t rgba = 0x3399CCFF);
// Runs a command with no input; its standard output, and its exit status in `status`.
std::string RunCommand(const std::string& command, int* status = nullptr);
// Runs a command with the text piped to its standard input; its standard output and
// error, and its exit status in `status`.
std::string RunWithInput(const std::string& command, const std::string& input, int* status = nullptr);
} // namespace hosttest
