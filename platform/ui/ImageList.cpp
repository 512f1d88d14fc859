#include "platform/ui/ImageList.h"

#include <cstddef>

namespace {
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Larger strips than this are not image lists but broken headers.
constexpr std::int64_t kMaxSide = 1 << 15;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
} // namespace

bool zsys::ImageList::LoadFromBitmap(std::span<const std::uint8_t> bitmap, int imageWidth) {
    *this = ImageList();
    if (bitmap.size() < kInfoHeaderSize || imageWidth <= 0) return false;
    const std::uint32_t headerSize = U32(bitmap, 0);
    const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(U32(bitmap, 4)));
    const auto signedHeight = static_cast<std::int64_t>(static_cast<std::int32_t>(U32(bitmap, 8)));
    const std::uint16_t bitsPerPixel = U16(bitmap, 14);
    const std::uint32_t colourTableSize = U32(bitmap, 32);
    const bool bottomUp = signedHeight > 0;
    const std::int64_t height = bottomUp ? signedHeight : -signedHeight;
    if (headerSize < kInfoHeaderSize || U16(bitmap, 12) != 1 || U32(bitmap, 16) != kUncompressed)
        return false;
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || width <= 0 || height <= 0) return false;
    if (width > kMaxSide || height > kMaxSide || colourTableSize > 256) return false;

    const std::int64_t bytesPerPixel = bitsPerPixel / 8;
    const std::int64_t stride = (width * bytesPerPixel + 3) / 4 * 4; // rows fill whole 32-bit words
    const std::int64_t offset = std::int64_t{headerSize} + std::int64_t{colourTableSize} * 4;
    if (offset + stride * height > static_cast<std::int64_t>(bitmap.size())) return false;
    const std::int64_t count = width / imageWidth;
    if (count == 0) return false;

    const auto at = [&](std::int64_t x, std::int64_t y) {
        const std::int64_t row = bottomUp ? height - 1 - y : y;
        const std::uint8_t* p = bitmap.data() + offset + row * stride + x * bytesPerPixel;
        return Rgba{p[2], p[1], p[0], 255};
    };
    const Rgba transparent = at(0, 0);
    pixels_.reserve(static_cast<std::size_t>(count * imageWidth * height));
    for (std::int64_t image = 0; image < count; ++image) {
        for (std::int64_t y = 0; y < height; ++y) {
            for (std::int64_t x = image * imageWidth; x < (image + 1) * imageWidth; ++x) {
                Rgba pixel = at(x, y);
                if (pixel == transparent) pixel.a = 0;
                pixels_.push_back(pixel);
            }
        }
    }
    count_ = static_cast<int>(count);
    size_ = {imageWidth, static_cast<int>(height)};
    return true;
}

zsys::ImageList::Rgba zsys::ImageList::Pixel(int index, int x, int y) const {
    if (index < 0 || index >= count_ || x < 0 || x >= size_.width || y < 0 || y >= size_.height) return {};
    const auto at = (static_cast<std::size_t>(index) * size_.height + y) * size_.width + x;
    return pixels_[at];
}
