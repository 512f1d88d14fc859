#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace zsys {
class ImageList;
}

namespace host {
class HostImage;
}

namespace host::web {
// The images the page shows, as PNG files named by their content: the host's images, the
// images of the system layer's image lists. A name stays valid for the whole run, so the
// browser may keep what it fetched.
class ImageStore {
public:
    // The page's address of the image ("/img/<hash>.png"); empty for an image with no pixels.
    std::string Add(int width, int height, std::span<const std::uint8_t> rgba);
    std::string Add(const HostImage& image);
    // Image `index` of the list; empty for no such image.
    std::string Add(const zsys::ImageList& images, int index);
    // The PNG bytes of an address Add gave; none for any other. Any thread.
    std::optional<std::string> Png(const std::string& address) const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::string, std::less<>> pngs_;
};

// The PNG file of RGBA pixels, row by row from the top; raises std::runtime_error when libpng fails.
std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgba);
} // namespace host::web
