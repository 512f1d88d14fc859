// The images the plug-in carries, as drawn at build time: sizes, alpha and the colour each category
// shows at the centre of its marks and swatch.
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

struct CategoryColours {
    Rgb swatch; // bitmap 183
    Rgb small;  // PNG 129 + n, 14 × 14
    Rgb large;  // PNG 147 + n, 16 × 16
};

constexpr std::array<CategoryColours, 18> kExpected{{
    {{255, 56, 56}, {255, 26, 26}, {255, 50, 50}},       // red
    {{255, 204, 53}, {255, 197, 26}, {255, 204, 6}},     // yellow
    {{81, 216, 85}, {58, 211, 62}, {0, 216, 67}},        // green
    {{49, 209, 255}, {26, 204, 255}, {0, 209, 255}},     // light blue
    {{49, 143, 250}, {26, 131, 249}, {0, 142, 254}},     // blue
    {{180, 92, 255}, {167, 63, 255}, {204, 89, 255}},    // violet
    {{255, 147, 68}, {255, 123, 26}, {255, 146, 56}},    // orange
    {{255, 114, 168}, {255, 99, 158}, {255, 112, 169}},  // pink
    {{176, 243, 48}, {171, 242, 33}, {137, 242, 0}},     // apple-green
    {{47, 210, 150}, {28, 206, 141}, {0, 210, 146}},     // emerald
    {{45, 230, 233}, {26, 228, 231}, {0, 231, 234}},     // azure
    {{229, 86, 246}, {225, 59, 245}, {255, 82, 250}},    // fuchsia
    {{247, 251, 255}, {246, 251, 255}, {246, 251, 255}}, // white
    {{172, 172, 172}, {161, 161, 161}, {173, 173, 173}}, // gray
    {{56, 61, 64}, {35, 39, 44}, {48, 54, 59}},          // black
    {{148, 93, 53}, {134, 71, 26}, {164, 90, 42}},       // brown
    {{244, 220, 172}, {242, 215, 161}, {252, 220, 170}}, // creamy
    {{169, 191, 139}, {152, 179, 116}, {160, 191, 135}}, // olive
}};

constexpr Rgb kStripKey{0, 153, 153};

std::vector<std::uint8_t> ReadFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(VESK_IMAGE_DIR) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct DecodedPng {
    bool ok = false;
    int width = 0, height = 0;
    bool colour = false, alpha = false, eightBit = false;
    std::vector<std::uint8_t> rgba;

    Rgb At(int x, int y) const {
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2]};
    }
    int AlphaAt(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
};

DecodedPng DecodePng(int id) {
    const std::vector<std::uint8_t> bytes = ReadFile(std::to_string(id) + ".png");
    DecodedPng out;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    // What the file itself holds, before asking for RGBA.
    out.colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
    out.alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    out.eightBit = (image.format & PNG_FORMAT_FLAG_LINEAR) == 0;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    image.format = PNG_FORMAT_RGBA;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    out.ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return out;
}

bool HasTransparentPixel(const DecodedPng& png) {
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x)
            if (png.AlphaAt(x, y) == 0) return true;
    return false;
}

// --- Icon, search group image and settings button -------------------------------------------------

struct PictureCase {
    int id, width, height;
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.id << ".png, " << c.width << " x " << c.height;
}

class PictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, Picture_IsAnEightBitRgbaPngOfItsSizeOnATransparentBackground) {
    const PictureCase c = GetParam();
    const DecodedPng png = DecodePng(c.id);
    ASSERT_TRUE(png.ok) << c.id << ".png does not decode";
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_TRUE(png.colour);
    EXPECT_TRUE(png.alpha);
    EXPECT_TRUE(png.eightBit);
    EXPECT_EQ(png.AlphaAt(0, 0), 0) << "the top-left corner is background";
    EXPECT_EQ(png.AlphaAt(png.width - 1, png.height - 1), 0) << "the bottom-right corner is background";
}

TEST_P(PictureTest, Picture_ShowsSomethingOpaque) {
    const DecodedPng png = DecodePng(GetParam().id);
    ASSERT_TRUE(png.ok);
    int opaque = 0;
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x)
            opaque += png.AlphaAt(x, y) == 255;
    EXPECT_GT(opaque, png.width * png.height / 5);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTest,
                         ::testing::Values(PictureCase{126, 32, 32}, PictureCase{127, 48, 48},
                                           PictureCase{128, 90, 60}),
                         [](const ::testing::TestParamInfo<PictureCase>& p) {
                             return std::to_string(p.param.id);
                         });

// --- Category marks -------------------------------------------------------------------------------

class CategoryMarkTest : public ::testing::TestWithParam<int> {
protected:
    // The mark of resource `id`: size × size with alpha, shaped, the colour opaque at its centre.
    static void ExpectMark(int id, int size, Rgb centre) {
        const DecodedPng png = DecodePng(id);
        ASSERT_TRUE(png.ok) << id << ".png does not decode";
        ASSERT_EQ(png.width, size);
        ASSERT_EQ(png.height, size);
        EXPECT_TRUE(png.alpha && png.colour && png.eightBit);
        EXPECT_EQ(png.At(size / 2, size / 2), centre);
        EXPECT_EQ(png.AlphaAt(size / 2, size / 2), 255);
        EXPECT_TRUE(HasTransparentPixel(png)) << "the mark is shaped, not a filled square";
    }
};

TEST_P(CategoryMarkTest, SmallMark_Is14By14WithAlphaAndTheCategoryColourAtItsCentre) {
    ExpectMark(129 + GetParam(), 14, kExpected[GetParam()].small);
}

TEST_P(CategoryMarkTest, LargeMark_Is16By16WithAlphaAndTheCategoryColourAtItsCentre) {
    ExpectMark(147 + GetParam(), 16, kExpected[GetParam()].large);
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryMarkTest, ::testing::Range(0, 18));

// --- Swatch strip ---------------------------------------------------------------------------------

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return v;
}

class SwatchStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        bytes = ReadFile("183.bmp");
        ASSERT_GE(bytes.size(), 54u) << "183.bmp is missing or shorter than its headers";
    }

    // The pixel at (x, y), y counted from the top; the file keeps its bottom row first.
    Rgb At(int x, int y) const {
        const std::size_t stride = (Le(bytes, 18, 4) * 3 + 3) / 4 * 4;
        const std::size_t row = Le(bytes, 22, 4) - 1 - y;
        const std::size_t at = Le(bytes, 10, 4) + row * stride + static_cast<std::size_t>(x) * 3;
        return {bytes[at + 2], bytes[at + 1], bytes[at]};
    }

    std::vector<std::uint8_t> bytes;
};

TEST_F(SwatchStripTest, Headers_DescribeA270By16BottomUpUncompressed24BitStrip) {
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le(bytes, 2, 4), bytes.size()) << "file size field";
    EXPECT_EQ(Le(bytes, 10, 4), 54u) << "pixels follow the two headers";
    EXPECT_EQ(Le(bytes, 14, 4), 40u) << "info header size";
    EXPECT_EQ(Le(bytes, 18, 4), 270u);
    EXPECT_EQ(Le(bytes, 22, 4), 16u) << "positive height: bottom-up";
    EXPECT_EQ(Le(bytes, 26, 2), 1u) << "planes";
    EXPECT_EQ(Le(bytes, 28, 2), 24u) << "bits per pixel";
    EXPECT_EQ(Le(bytes, 30, 4), 0u) << "uncompressed";
    // 270 pixels of 3 bytes make 810, padded to 812 per row.
    EXPECT_EQ(bytes.size(), 54u + 812u * 16u);
}

TEST_F(SwatchStripTest, TopLeftPixel_IsTheTransparencyKey) {
    ASSERT_EQ(bytes.size(), 54u + 812u * 16u);
    EXPECT_EQ(At(0, 0), kStripKey);
}

TEST_F(SwatchStripTest, EachSwatch_HasItsCategoryColourAtItsCentre) {
    ASSERT_EQ(bytes.size(), 54u + 812u * 16u);
    for (int n = 0; n < 18; ++n)
        EXPECT_EQ(At(15 * n + 7, 8), kExpected[n].swatch) << "swatch " << n;
}

TEST_F(SwatchStripTest, EachSwatch_IsSurroundedByTheKeyNotBleedingIntoItsNeighbour) {
    // The image list cuts the strip every 15 pixels; a swatch spilling over the cut would show a
    // sliver of its colour beside the next category.
    ASSERT_EQ(bytes.size(), 54u + 812u * 16u);
    for (int n = 0; n < 18; ++n)
        for (int y = 0; y < 16; ++y) {
            EXPECT_EQ(At(15 * n, y), kStripKey) << "left edge of swatch " << n << ", row " << y;
            EXPECT_EQ(At(15 * n + 14, y), kStripKey) << "right edge of swatch " << n << ", row " << y;
        }
}

} // namespace
