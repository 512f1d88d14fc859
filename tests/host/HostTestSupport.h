#pragma once

#include "host/ZeltHost.h"
#include "tests/support/HostObjects.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Testford.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace hosttest {
using namespace testsupport;

// The first of the parts that `text` lacks, each looked for after the one before; empty when it
// holds them all in that order.
std::string MissingInOrder(const std::string& text, const std::vector<std::string>& parts);
// The lines of `text` that start with one of the words.
std::string LinesStarting(const std::string& text, std::initializer_list<const char*> words);

// A PNG of the size, every pixel of one colour.
std::vector<std::uint8_t> MakePng(int width, int height, std::uint32_t rgba = 0x3399CCFF);

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

// Two interfaces of a plug-in's object, so that the second one's pointer is not the
// object's identity.
struct IFakeFirst : IUnknown {
    static constexpr IID iid = zsys::Guid("{5C0F4D7E-61B2-4C39-9A57-0D3E8B1F2A64}");
};
struct IFakeSecond : IUnknown {
    static constexpr IID iid = zsys::Guid("{A1E6D3C2-7F45-4B18-8C90-3D2E5F6A7B81}");
};

// An object of a plug-in that is nothing the host knows: no layer, image or control. Given as
// a button or control, it may hold on to its group, as a search control that refreshes its
// group does.
class FakePluginObject : public zsys::ComObject<FakePluginObject, IFakeFirst, IFakeSecond> {
public:
    explicit FakePluginObject(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    IUnknown* Unknown() { return static_cast<IFakeFirst*>(this); } // the identity
    IUnknown* Second() { return static_cast<IFakeSecond*>(this); } // as a plug-in may hand it over
    zsys::ComPtr<IUnknown> group;

private:
    ~FakePluginObject() override {
        if (destroyed_) *destroyed_ = true;
    }
    bool* destroyed_;
};

// A host serving Testford without a plug-in; every host object handed out must be let go
// by the end of the test.
class HostTest : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a host object leaked"; }

    host::ZeltHost zelt{{"", 0, TestfordPath()}};
};
} // namespace hosttest
