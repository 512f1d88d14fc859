#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace host {
class Faults;

// A decoded image: its size and its pixels, four bytes each (red, green, blue, alpha),
// row by row from the top.
class HostImage : public zsys::ComObject<HostImage, ZeltCore::IHostImage> {
public:
    HostImage(std::shared_ptr<Faults> faults, LONG width, LONG height, std::vector<std::uint8_t> rgba);

    HRESULT Size(LONG* width, LONG* height) noexcept override;

    LONG Width() const { return width_; }
    LONG Height() const { return height_; }
    const std::vector<std::uint8_t>& Pixels() const { return rgba_; }

private:
    ~HostImage() override;

    std::shared_ptr<Faults> faults_;
    LONG width_, height_;
    std::vector<std::uint8_t> rgba_;
};
} // namespace host
