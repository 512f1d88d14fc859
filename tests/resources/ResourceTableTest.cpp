// The images the plug-in carries, read from its resource table as the category table and the
// host will read them. The dialogs' controls are printed by the host's shell as the plug-in
// opens them.
#include "core/VeskNotesModule.h"
#include "platform/resources/ModuleResources.h"
#include "platform/ui/ImageList.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <set>
#include <tuple>
#include <vector>

namespace {
using Rgb = std::tuple<int, int, int>;

int Distance(Rgb a, Rgb b) {
    const auto [ar, ag, ab] = a;
    const auto [br, bg, bb] = b;
    return (ar - br) * (ar - br) + (ag - bg) * (ag - bg) + (ab - bb) * (ab - bb);
}

std::span<const BYTE> Resource(ResourceType type, WORD id) {
    return zsys::ResourceBytes(FindResource(TheModule().Instance(), type, id));
}

struct Png {
    bool ok = false, rgba8 = false;
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;

    Rgb At(int x, int y) const {
        const std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
        return {p[0], p[1], p[2]};
    }
    int AlphaAt(int x, int y) const { return rgba[(std::size_t(y) * width + x) * 4 + 3]; }
    int Count(int alpha) const {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                n += AlphaAt(x, y) == alpha;
        return n;
    }
};

// The PNG resource decoded as the host decodes it, with what the file itself holds.
Png DecodePng(WORD id) {
    const auto bytes = Resource(RT_PNG, id);
    Png out;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    out.rgba8 = image.format == PNG_FORMAT_RGBA;
    out.width = int(image.width);
    out.height = int(image.height);
    image.format = PNG_FORMAT_RGBA;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    out.ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return out;
}

constexpr int kCategories = 18;

} // namespace

TEST(ResourceTable, PicturesAreRgbaOfTheirSizeOpaqueWithinATransparentBackground) {
    const struct {
        WORD id;
        int width, height;
    } pictures[] = {
        {IDP_NOTES_ICON, 32, 32}, {IDP_SEARCH_GROUP_IMAGE, 48, 48}, {IDP_SETTINGS_BUTTON, 90, 60}};
    for (const auto& [id, width, height] : pictures) {
        SCOPED_TRACE(id);
        const Png png = DecodePng(id);
        ASSERT_TRUE(png.ok) << "does not decode";
        EXPECT_TRUE(png.rgba8);
        EXPECT_EQ(png.width, width);
        EXPECT_EQ(png.height, height);
        EXPECT_EQ(png.AlphaAt(0, 0), 0) << "the corners are background";
        EXPECT_EQ(png.AlphaAt(width - 1, height - 1), 0) << "the corners are background";
        EXPECT_GT(png.Count(255), width * height / 5) << "something is shown";
    }
}

TEST(ResourceTable, CategoryMarksAreShapedAndEachShowsTheColourOfItsOwnSwatch) {
    zsys::ImageList strip;
    ASSERT_TRUE(strip.LoadFromBitmap(Resource(RT_BITMAP, IDB_SWATCHES), 15));
    ASSERT_EQ(strip.Count(), kCategories);
    std::vector<Rgb> swatches;
    for (int n = 0; n < kCategories; ++n) {
        // The image list cuts the strip every 15 pixels; a swatch spilling over the cut would
        // show a sliver of its colour beside the next category.
        for (int y = 0; y < 16; ++y)
            for (const int x : {0, 14})
                EXPECT_EQ(strip.Pixel(n, x, y).a, 0) << "swatch " << n << " at " << x << "," << y;
        const zsys::ImageList::Rgba centre = strip.Pixel(n, 7, 8);
        EXPECT_EQ(centre.a, 255) << "swatch " << n;
        swatches.push_back({centre.r, centre.g, centre.b});
    }
    EXPECT_EQ(std::set<Rgb>(swatches.begin(), swatches.end()).size(), std::size_t(kCategories))
        << "every category has a colour of its own";

    for (const auto& [first, size] :
         {std::pair{IDP_FIRST_SMALL_MARK, 14}, std::pair{IDP_FIRST_LARGE_MARK, 16}})
        for (int n = 0; n < kCategories; ++n) {
            SCOPED_TRACE(first + n);
            const Png mark = DecodePng(WORD(first + n));
            ASSERT_TRUE(mark.ok) << "does not decode";
            EXPECT_TRUE(mark.rgba8);
            ASSERT_EQ(mark.width, size);
            ASSERT_EQ(mark.height, size);
            EXPECT_GT(mark.Count(0), 0) << "the mark is shaped, not a filled square";
            EXPECT_EQ(mark.AlphaAt(size / 2, size / 2), 255);
            // Marks are shaded versions of the swatch colour, nearer to it than to any other.
            const Rgb centre = mark.At(size / 2, size / 2);
            int nearest = 0;
            for (int m = 1; m < kCategories; ++m)
                if (Distance(centre, swatches[m]) < Distance(centre, swatches[nearest])) nearest = m;
            EXPECT_EQ(nearest, n) << testing::PrintToString(centre);
        }
}
