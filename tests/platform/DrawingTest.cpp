// Recording device contexts: what a combo item's drawing leaves for a front end to render.
#include "platform/ui/DeviceContext.h"
#include "platform/ui/ImageList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using Kind = zsys::DrawOp::Kind;

zsys::ImageList OneImage() {
    std::vector<std::uint8_t> bmp(40 + 4 * 2, 0); // 1 x 2 pixels, 24 bits, rows padded to 4 bytes
    bmp[0] = 40;
    bmp[4] = 1;
    bmp[8] = 2;
    bmp[12] = 1;
    bmp[14] = 24;
    zsys::ImageList images;
    EXPECT_TRUE(images.LoadFromBitmap(bmp, 1));
    return images;
}
} // namespace

TEST(Drawing, AContextRecordsItsCallsInOrder) {
    const zsys::ImageList images = OneImage();
    HDC dc = zsys::CreateRecordingDC();
    const RECT item{0, 20, 150, 36};
    EXPECT_TRUE(zsys::FillRect(dc, item, zsys::GetSysColorBrush(COLOR_HIGHLIGHT)));
    EXPECT_EQ(zsys::SetTextColor(dc, zsys::GetSysColor(COLOR_HIGHLIGHTTEXT)), RGB(0, 0, 0));
    EXPECT_EQ(zsys::SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_TRUE(zsys::DrawImage(&images, 0, dc, 0, 20, ILD_TRANSPARENT));
    EXPECT_FALSE(zsys::DrawImage(&images, 1, dc, 0, 20, ILD_TRANSPARENT)); // no such image
    EXPECT_FALSE(zsys::FillRect(dc, item, zsys::GetSysColorBrush(3)));     // no such brush
    EXPECT_TRUE(zsys::DrawText(dc, u"Red", {20, 20, 150, 36}, DT_SINGLELINE | DT_VCENTER));

    const auto ops = zsys::RecordedOps(dc);
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].kind, Kind::Fill);
    EXPECT_EQ(ops[0].rect, item);
    EXPECT_EQ(ops[0].colorIndex, COLOR_HIGHLIGHT);
    EXPECT_EQ(ops[1].kind, Kind::TextColor);
    EXPECT_EQ(ops[1].color, RGB(255, 255, 255));
    EXPECT_EQ(ops[2].kind, Kind::BkMode);
    EXPECT_EQ(ops[2].mode, TRANSPARENT);
    EXPECT_EQ(ops[3].kind, Kind::Image);
    EXPECT_EQ(ops[3].images, &images);
    EXPECT_EQ((std::vector{ops[3].index, ops[3].x, ops[3].y, int(ops[3].style)}), (std::vector{0, 0, 20, 1}));
    EXPECT_EQ(ops[4].kind, Kind::Text);
    EXPECT_EQ(ops[4].text, u"Red");
    EXPECT_EQ(ops[4].rect, (RECT{20, 20, 150, 36}));
    EXPECT_EQ(ops[4].format, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(zsys::SetTextColor(dc, 0), RGB(255, 255, 255));

    EXPECT_TRUE(zsys::DeleteDC(dc));
    EXPECT_FALSE(zsys::DeleteDC(dc));
    EXPECT_FALSE(zsys::DrawText(dc, u"gone", item, 0));
    EXPECT_TRUE(zsys::RecordedOps(dc).empty());
}
