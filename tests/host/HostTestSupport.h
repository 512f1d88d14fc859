#pragma once

#include "host/ZeltHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
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
constexpr std::int32_t kCafe = 11, kDentist = 12, kTaxis = 13, kEdge = 14;
constexpr std::int32_t kCafeStable = 1001, kDentistStable = -1002, kTaxisStable = 11, kGhostStable = 1005;
constexpr std::int32_t kEdgeStable = INT32_MIN, kMillStreetStable = 7001, kMill14AStable = 8002;
constexpr std::int32_t kMillStreet = 600000001, kMill12 = 400000001, kMill14A = 400000002;
constexpr std::int32_t kCafeBranch1 = 201, kCafeBranch3 = 203, kCafeBranch1Stable = 5001;
} // namespace city

// Writes Testford once per test program and returns its path ("…/Data_Testford.dat").
const std::string& TestCityPath();
// A fresh file path in the test program's temporary folder.
std::string TempPath(const std::string& name);
// A PNG of the size, every pixel of one colour.
std::vector<std::uint8_t> MakePng(int width, int height, std::uint32_t rgba = 0x3399CCFF);
// Runs zelt-host with the arguments and the text (empty, or ending in a line break) on its
// standard input; its standard output and error, and its exit code in `exitCode` (-1 when
// it did not exit).
std::string RunHost(const std::string& arguments, const std::string& input, int* exitCode = nullptr);

// The host's objects as a plug-in reaches them from the view; every step on the way must
// succeed. The table of a type key ("zelt_org").
zsys::ComPtr<ZeltCore::IHostTable> TableOf(host::ZeltHost& zelt, std::u16string_view key);
// The company of the stable id; null when the city lacks it.
zsys::ComPtr<ZeltCore::IHostDirObject> CompanyOf(host::ZeltHost& zelt, LONG stableId);
// The view's factory.
zsys::ComPtr<ZeltCore::IHostFactory> FactoryOf(host::ZeltHost& zelt);
// The factory's result for the bytes; the image, if any, in `image`.
HRESULT CreateImage(host::ZeltHost& zelt, const std::vector<std::uint8_t>& png,
                    zsys::ComPtr<IUnknown>& image);
// A host image of the size, which must be made.
zsys::ComPtr<IUnknown> ImageOf(host::ZeltHost& zelt, int width, int height);
// The main window's search tab.
zsys::ComPtr<ZeltCore::IHostSearchTab> SearchTabOf(host::ZeltHost& zelt);
// A group made on the search tab ("100SearchGroup", captioned "Notes"), which must be made.
zsys::ComPtr<IUnknown> CreateGroup(host::ZeltHost& zelt, std::u16string_view id, LONG kind = 3);
// Furnishes a group as a plug-in does: the icon, the image, the description
// "Find \"noted\" companies\nby text.", clear texts "Clear " and "Clear", prompt texts null and
// "Prompt", the button and the control, in that order; the result of each call.
std::vector<HRESULT> Furnish(const zsys::ComPtr<IUnknown>& group, IUnknown* icon, IUnknown* image,
                             IUnknown* button, IUnknown* control);

// A host serving Testford without a plug-in; every host object handed out must be let go
// by the end of the test.
class HostTest : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a host object leaked"; }

    host::ZeltHost zelt{{"", 0, TestCityPath()}};
};
} // namespace hosttest
