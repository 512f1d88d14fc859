// List views in list mode: layout, hit tests and label editing. The settings dialog's way of
// editing labels (a click starts the edit, its end reaches the dialog) is tested through the
// host's shell.
#include "platform/ui/ListView.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {
namespace lv = zsys::listview;

// `count` swatches of 15 x 15 pixels, as a bitmap resource holds them.
zsys::ImageList Swatches(int count) {
    const int width = 15 * count, height = 15, stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bmp(40 + stride * height, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = std::uint8_t(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, width);
    put32(8, height);
    bmp[12] = 1;
    bmp[14] = 24;
    zsys::ImageList list;
    EXPECT_TRUE(list.LoadFromBitmap(bmp, 15));
    return list;
}

class ListView : public ::testing::Test {
protected:
    ListView() {
        // Client area 200 x 40: two rows of 15 px items.
        list_ = zsys::CreateWindow(kListViewClass, u"", LVS_LIST | LVS_EDITLABELS, 0, {0, 0, 200, 40},
                                   nullptr, 120);
        for (const auto* name : {u"Red", u"Green", u"Blue"})
            lv::InsertItem(list_, lv::ItemCount(list_), name, lv::ItemCount(list_) % 2);
    }
    ~ListView() override { zsys::DestroyWindow(list_); }

    HWND list_;
    zsys::ImageList swatches_ = Swatches(2);
};
} // namespace

TEST_F(ListView, ItemsRunDownTheColumnThenOnInTheNextAndHitTestsNameTheItemAndItsPart) {
    EXPECT_EQ(lv::SetImageList(list_, &swatches_), nullptr);
    // Icon 15 + 2 px; label 6 px a character + 4; the first column as wide as "Green".
    const struct {
        int item, part;
        RECT rect;
    } rects[] = {
        {0, LVIR_ICON, {0, 0, 17, 15}},    {0, LVIR_LABEL, {17, 0, 39, 15}}, {0, LVIR_BOUNDS, {0, 0, 51, 15}},
        {1, LVIR_LABEL, {17, 15, 51, 30}}, {2, LVIR_ICON, {51, 0, 68, 15}},  {2, LVIR_LABEL, {68, 0, 96, 15}},
    };
    for (const auto& c : rects)
        EXPECT_EQ(lv::ItemRect(list_, c.item, c.part), c.rect) << c.item << " " << c.part;
    EXPECT_EQ(lv::ItemRect(list_, 3, LVIR_BOUNDS), std::nullopt);

    const struct {
        POINT at;
        int item;
        UINT flags;
    } hits[] = {
        {{5, 5}, 0, LVHT_ONITEMICON}, {{20, 20}, 1, LVHT_ONITEMLABEL}, {{70, 3}, 2, LVHT_ONITEMLABEL},
        {{45, 5}, -1, LVHT_NOWHERE}, // beside "Red", inside its column
        {{60, 20}, -1, LVHT_NOWHERE}, {{200, 5}, -1, LVHT_NOWHERE},    {{-1, 5}, -1, LVHT_NOWHERE},
    };
    for (const auto& c : hits) {
        UINT flags = 0;
        EXPECT_EQ(lv::HitTest(list_, c.at, &flags), c.item) << c.at.x << "," << c.at.y;
        EXPECT_EQ(flags, c.flags) << c.at.x << "," << c.at.y;
    }

    EXPECT_EQ(lv::SetImageList(list_, nullptr), &swatches_);
    // Without images: 13 px high, a 2 px icon part; three rows fit.
    EXPECT_EQ(lv::ItemRect(list_, 2, LVIR_LABEL), (RECT{2, 26, 30, 39}));
}

TEST_F(ListView, InsertsAtTheGivenPlaceClampedAndAnswersNothingForAMissingItem) {
    EXPECT_EQ(lv::InsertItem(list_, 0, u"First", 5), 0);
    EXPECT_EQ(lv::InsertItem(list_, 99, u"Last", 6), 4);
    EXPECT_EQ(lv::ItemText(list_, 1), u"Red");
    EXPECT_EQ(lv::ItemImage(list_, 4), 6);
    EXPECT_FALSE(lv::SetItemText(list_, 5, u"x"));
    EXPECT_EQ(lv::ItemImage(list_, 5), -1);
    EXPECT_EQ(lv::ItemCount(nullptr), -1);
}

TEST_F(ListView, OnlyAListWithEditableLabelsEditsThem) {
    EXPECT_FALSE(lv::EditLabel(list_, 3));
    EXPECT_TRUE(lv::EditLabel(list_, 1));
    EXPECT_EQ(lv::EditingItem(list_), 1);
    HWND fixed = zsys::CreateWindow(kListViewClass, u"", LVS_LIST, 0, {0, 0, 100, 100}, nullptr, 0);
    lv::InsertItem(fixed, 0, u"Red", 0);
    EXPECT_FALSE(lv::EditLabel(fixed, 0));
    EXPECT_EQ(lv::EditingItem(fixed), -1);
    zsys::DestroyWindow(fixed);
}
