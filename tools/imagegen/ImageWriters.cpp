#include "tools/imagegen/ImageWriters.h"

#include "tools/imagegen/Canvas.h"

#include <png.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace imagegen {
namespace {

static_assert(sizeof(Rgba) == 4, "a canvas row must be the PNG row as it is");

struct PngError {
    char message[256] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<PngError*>(png_get_error_ptr(png));
    std::snprintf(error->message, sizeof error->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng gives up by jumping back here, so nothing in this frame has a destructor to skip.
// No time or text chunks are written: the same canvas always gives the same bytes.
bool EncodePng(std::FILE* out, const Canvas& canvas, PngError& error) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (!png) {
        std::snprintf(error.message, sizeof error.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()),
                 static_cast<png_uint_32>(canvas.Height()), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const Rgba* pixels = canvas.Pixels().data();
    for (int y = 0; y < canvas.Height(); ++y)
        png_write_row(
            png, reinterpret_cast<png_const_bytep>(pixels + static_cast<std::size_t>(y) * canvas.Width()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& why) {
    throw std::runtime_error("cannot write " + file.string() + ": " + why);
}

} // namespace

void WritePng(const Canvas& canvas, const std::filesystem::path& file) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) Fail(file, std::strerror(errno));
    PngError error;
    const bool encoded = EncodePng(out, canvas, error);
    const bool flushed = std::fflush(out) == 0 && !std::ferror(out);
    const bool closed = std::fclose(out) == 0;
    if (!encoded) Fail(file, error.message);
    if (!flushed || !closed) Fail(file, "write error");
}

void WriteBmp(const Canvas& canvas, const std::filesystem::path& file) {
    constexpr std::uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;
    constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch
    const auto width = static_cast<std::uint32_t>(canvas.Width());
    const auto height = static_cast<std::uint32_t>(canvas.Height());
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4; // rows are padded to whole 32-bit words
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> bytes;
    bytes.reserve(offset + pixelBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLe(bytes, offset + pixelBytes, 4);
    PutLe(bytes, 0, 4); // two reserved words
    PutLe(bytes, offset, 4);

    PutLe(bytes, kInfoHeaderSize, 4);
    PutLe(bytes, width, 4);
    PutLe(bytes, height, 4); // positive: the bottom row comes first
    PutLe(bytes, 1, 2);      // planes
    PutLe(bytes, 24, 2);     // bits per pixel
    PutLe(bytes, 0, 4);      // uncompressed
    PutLe(bytes, pixelBytes, 4);
    PutLe(bytes, kPixelsPerMetre, 4);
    PutLe(bytes, kPixelsPerMetre, 4);
    PutLe(bytes, 0, 4); // colours used: none, no palette
    PutLe(bytes, 0, 4); // important colours: all

    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba p = canvas.Pixel(x, y);
            bytes.insert(bytes.end(), {p.b, p.g, p.r});
        }
        bytes.resize(bytes.size() + (stride - width * 3), 0);
    }

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) Fail(file, std::strerror(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Fail(file, "write error");
}

} // namespace imagegen
