#include "host/objects/HostFactory.h"

#include "host/Faults.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostImageCollection.h"
#include "host/objects/HostSearchCriteria.h"
#include "host/objects/HostStandardControl.h"

#include <png.h>

#include <optional>
#include <span>
#include <vector>

namespace host {
namespace {
// Icons, marks and swatches are small; a header claiming more is not taken at its word.
constexpr png_uint_32 kMaxSide = 4096;

struct Decoded {
    LONG width, height;
    std::vector<std::uint8_t> rgba;
};

// Every pixel is decoded, so a damaged or cut-off image is found here and not when it
// is shown.
std::optional<Decoded> DecodePng(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    struct Release {
        png_image* image;
        ~Release() { png_image_free(image); }
    } release{&image};
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide)
        return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    Decoded decoded{static_cast<LONG>(image.width), static_cast<LONG>(image.height),
                    std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr)) return std::nullopt;
    return decoded;
}
} // namespace

HostFactory::HostFactory(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostFactory::~HostFactory() = default;

HRESULT HostFactory::CreateImageFromPng(SAFEARRAY* png, IUnknown** image) noexcept try {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!png) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostFactory.CreateImageFromPng")) return *planted;
    auto decoded = DecodePng(zsys::Bytes(png));
    if (!decoded) return E_INVALIDARG;
    *image =
        zsys::Make<HostImage>(faults_, decoded->width, decoded->height, std::move(decoded->rgba)).detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFactory::CreateImageCollection(IUnknown** collection) noexcept try {
    if (!collection) return E_POINTER;
    *collection = nullptr;
    if (const auto planted = faults_->Enter("IHostFactory.CreateImageCollection")) return *planted;
    const zsys::ComPtr<ZeltCore::IHostImageCollection> made = zsys::Make<HostImageCollection>(faults_);
    return made.CopyTo(collection);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFactory::CreateSearchCriteria(LONG kind, ZeltCore::IHostSearchCriteria** criteria) noexcept try {
    if (!criteria) return E_POINTER;
    *criteria = nullptr;
    if (const auto planted = faults_->Enter("IHostFactory.CreateSearchCriteria")) return *planted;
    if (kind != 0) return E_INVALIDARG;
    *criteria = zsys::Make<HostSearchCriteria>(faults_).detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFactory::CreateStandardControl(LONG kind, IUnknown** control) noexcept try {
    if (!control) return E_POINTER;
    *control = nullptr;
    if (const auto planted = faults_->Enter("IHostControlFactory.CreateStandardControl")) return *planted;
    constexpr LONG kCommand = 0, kEditBox = 1, kComboBox = 5;
    if (kind == kCommand)
        *control = static_cast<ZeltCore::IHostStandardControl*>(
            zsys::Make<HostStandardControl>(faults_, kind).detach());
    else if (kind == kEditBox)
        *control = static_cast<ZeltCore::IHostStandardControl*>(zsys::Make<HostEditBox>(faults_).detach());
    else if (kind == kComboBox)
        *control = static_cast<ZeltCore::IHostStandardControl*>(zsys::Make<HostComboBox>(faults_).detach());
    else
        return E_INVALIDARG;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
