#include "host/web/ImageStore.h"

#include "host/objects/HostImage.h"
#include "platform/ui/ImageList.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace host::web {
namespace {
// FNV-1a over the size and the pixels: the same picture always gets the same name.
std::uint64_t Hash(int width, int height, std::span<const std::uint8_t> rgba) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    const auto mix = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    };
    for (const int n : {width, height})
        for (int shift = 0; shift < 32; shift += 8)
            mix(static_cast<std::uint8_t>(unsigned(n) >> shift));
    for (const std::uint8_t byte : rgba)
        mix(byte);
    return hash;
}

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}
} // namespace

std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != std::size_t(width) * std::size_t(height) * 4)
        throw std::runtime_error("no picture to encode");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng has no memory");
    }
    std::string out;
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[std::size_t(y)] = const_cast<png_bytep>(rgba.data() + std::size_t(y) * std::size_t(width) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed to encode an image");
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string ImageStore::Add(int width, int height, std::span<const std::uint8_t> rgba) {
    if (width <= 0 || height <= 0) return {};
    char name[40];
    std::snprintf(name, sizeof name, "/img/%016llx.png",
                  static_cast<unsigned long long>(Hash(width, height, rgba)));
    {
        const std::lock_guard lock(mutex_);
        if (pngs_.count(name)) return name;
    }
    std::string png = EncodePng(width, height, rgba);
    const std::lock_guard lock(mutex_);
    pngs_.emplace(name, std::move(png));
    return name;
}

std::string ImageStore::Add(const HostImage& image) {
    return Add(image.Width(), image.Height(), image.Pixels());
}

std::string ImageStore::Add(const zsys::ImageList& images, int index) {
    if (index < 0 || index >= images.Count()) return {};
    const auto size = images.ImageSize();
    std::vector<std::uint8_t> rgba;
    rgba.reserve(std::size_t(size.width) * std::size_t(size.height) * 4);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const auto p = images.Pixel(index, x, y);
            rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
        }
    return Add(size.width, size.height, rgba);
}

std::optional<std::string> ImageStore::Png(const std::string& address) const {
    const std::lock_guard lock(mutex_);
    const auto it = pngs_.find(address);
    if (it == pngs_.end()) return std::nullopt;
    return it->second;
}
} // namespace host::web
