#pragma once

#include <span>
#include <string_view>

namespace host::web {
// A file of the page (host/web/page), embedded into the program when it is built.
struct WebAsset {
    std::string_view path; // "/index.html"
    std::string_view type; // its media type
    std::string_view bytes;
};

// Every file of the page; generated at build time.
std::span<const WebAsset> WebAssets();
} // namespace host::web
