#pragma once

#include "platform/Export.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zsys {
// A row of equally sized images with a transparent colour, as lists and combo boxes draw them.
class ZSYS_API ImageList {
public:
    struct Rgba {
        std::uint8_t r = 0, g = 0, b = 0, a = 0;
        friend bool operator==(const Rgba&, const Rgba&) = default;
    };
    struct Size {
        int width = 0, height = 0;
        friend bool operator==(const Size&, const Size&) = default;
    };

    // Cuts a bitmap resource (an info header, then uncompressed 24- or 32-bit rows) into images
    // `imageWidth` pixels wide, side by side from the left; the colour of the top-left pixel becomes
    // transparent. False, and the list left empty, when the bytes are no such bitmap or hold no image.
    bool LoadFromBitmap(std::span<const std::uint8_t> bitmap, int imageWidth);

    // The number of images; 0 when nothing is loaded.
    int Count() const { return count_; }
    // The size of every image; 0 by 0 when nothing is loaded.
    Size ImageSize() const { return size_; }
    // One pixel of one image, top row first; transparent black outside the images.
    Rgba Pixel(int index, int x, int y) const;

private:
    int count_ = 0;
    Size size_;
    std::vector<Rgba> pixels_; // image after image, each row by row from the top
};
} // namespace zsys
