#include "platform/ui/ImageList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
using Rgba = zsys::ImageList::Rgba;

void PutLe(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A bitmap resource of `width` x `height` pixels, `bits` deep, whose pixel (x, y) from the top is colour(x,
// y).
template <class Colour>
std::vector<std::uint8_t> Bitmap(int width, int height, int bits, bool bottomUp, Colour colour,
                                 std::uint32_t compression = 0) {
    std::vector<std::uint8_t> bytes;
    PutLe(bytes, 40, 4);
    PutLe(bytes, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, static_cast<std::uint32_t>(bottomUp ? height : -height), 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, static_cast<std::uint32_t>(bits), 2);
    PutLe(bytes, compression, 4);
    for (int i = 0; i < 5; ++i)
        PutLe(bytes, 0, 4);
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    for (int row = 0; row < height; ++row) {
        const int y = bottomUp ? height - 1 - row : row;
        const std::size_t start = bytes.size();
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            bytes.insert(bytes.end(), {c.b, c.g, c.r});
            if (bits == 32) bytes.push_back(0);
        }
        bytes.resize(start + static_cast<std::size_t>(stride), 0xEE);
    }
    return bytes;
}

// Background teal, then per image a red square with the image's number in green.
Rgba Strip(int x, int y) {
    if (y == 0 || x % 5 == 0) return {0, 153, 153, 255};
    return {200, static_cast<std::uint8_t>(x / 5), static_cast<std::uint8_t>(y), 255};
}
} // namespace

TEST(ImageList, CutsAStripIntoImagesWithTheTopLeftColourTransparent) {
    for (bool bottomUp : {true, false}) {
        for (int bits : {24, 32}) {
            zsys::ImageList list;
            ASSERT_TRUE(list.LoadFromBitmap(Bitmap(17, 3, bits, bottomUp, Strip), 5)) << bits;
            EXPECT_EQ(list.Count(), 3) << "the two columns left over make no image";
            EXPECT_EQ(list.ImageSize(), (zsys::ImageList::Size{5, 3}));
            EXPECT_EQ(list.Pixel(2, 0, 0), (Rgba{0, 153, 153, 0}));
            EXPECT_EQ(list.Pixel(2, 3, 2), (Rgba{200, 2, 2, 255})) << bottomUp << bits;
            EXPECT_EQ(list.Pixel(0, 1, 1), (Rgba{200, 0, 1, 255}));
            EXPECT_EQ(list.Pixel(3, 1, 1), Rgba{});
            EXPECT_EQ(list.Pixel(0, 5, 1), Rgba{});
        }
    }
}

TEST(ImageList, RefusesWhatIsNoUncompressedTrueColourBitmap) {
    zsys::ImageList list;
    ASSERT_TRUE(list.LoadFromBitmap(Bitmap(10, 2, 24, true, Strip), 5));
    auto bytes = Bitmap(10, 2, 24, true, Strip);
    bytes.pop_back();
    EXPECT_FALSE(list.LoadFromBitmap(bytes, 5)) << "short pixel rows";
    EXPECT_EQ(list.Count(), 0) << "a failed load leaves the list empty";
    EXPECT_FALSE(list.LoadFromBitmap(Bitmap(10, 2, 24, true, Strip, 1), 5)) << "compressed";
    EXPECT_FALSE(list.LoadFromBitmap(Bitmap(4, 2, 24, true, Strip), 5)) << "narrower than one image";
    EXPECT_FALSE(list.LoadFromBitmap(Bitmap(10, 2, 24, true, Strip), 0));
    EXPECT_FALSE(list.LoadFromBitmap(std::vector<std::uint8_t>(39, 0), 5));
    auto eightBit = Bitmap(12, 2, 24, true, Strip);
    eightBit[14] = 8;
    EXPECT_FALSE(list.LoadFromBitmap(eightBit, 5));
}
