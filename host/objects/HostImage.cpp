#include "host/objects/HostImage.h"

#include "host/Faults.h"

#include <cassert>

namespace host {
HostImage::HostImage(std::shared_ptr<Faults> faults, LONG width, LONG height, std::vector<std::uint8_t> rgba)
    : faults_(std::move(faults)), width_(width), height_(height), rgba_(std::move(rgba)) {
    assert(rgba_.size() == std::size_t(width_) * std::size_t(height_) * 4);
}

HostImage::~HostImage() = default;

HRESULT HostImage::Size(LONG* width, LONG* height) noexcept try {
    if (!width || !height) return E_POINTER;
    *width = *height = 0;
    if (const auto planted = faults_->Enter("IHostImage.Size")) return *planted;
    *width = width_;
    *height = height_;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
