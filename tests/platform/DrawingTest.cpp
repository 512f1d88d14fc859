// Recording device contexts. What a combo item's drawing records is read through the host;
// here, what a context refuses and what its setters hand back.
#include "platform/ui/DeviceContext.h"
#include "platform/ui/ImageList.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Drawing, AContextRecordsOnlyWhatItCanDrawAndNothingOnceDeleted) {
    std::vector<std::uint8_t> bmp(40 + 4 * 2, 0); // 1 x 2 pixels, 24 bits, rows padded to 4 bytes
    bmp[0] = 40;
    bmp[4] = 1;
    bmp[8] = 2;
    bmp[12] = 1;
    bmp[14] = 24;
    zsys::ImageList images;
    ASSERT_TRUE(images.LoadFromBitmap(bmp, 1));
    HDC dc = zsys::CreateRecordingDC();
    const RECT item{0, 20, 150, 36};
    EXPECT_FALSE(zsys::DrawImage(&images, 1, dc, 0, 20, ILD_TRANSPARENT)); // no such image
    EXPECT_FALSE(zsys::FillRect(dc, item, zsys::GetSysColorBrush(3)));     // no such brush
    EXPECT_TRUE(zsys::RecordedOps(dc).empty());
    EXPECT_EQ(zsys::SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(zsys::SetTextColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(zsys::SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(zsys::RecordedOps(dc).size(), 3u);

    EXPECT_TRUE(zsys::DeleteDC(dc));
    EXPECT_FALSE(zsys::DeleteDC(dc));
    EXPECT_FALSE(zsys::DrawText(dc, u"gone", item, 0));
    EXPECT_TRUE(zsys::RecordedOps(dc).empty());
}
