#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// A standard control the host made for a plug-in's control: its kind and the style the
// plug-in gave it.
class HostStandardControl : public zsys::ComObject<HostStandardControl, ZeltCore::IHostStandardControl> {
public:
    HostStandardControl(std::shared_ptr<Faults> faults, LONG kind);

    HRESULT SetStyle(LONG style) noexcept override;

    LONG Kind() const { return kind_; }
    // 0 until set.
    LONG Style() const { return style_; }

private:
    ~HostStandardControl() override;

    std::shared_ptr<Faults> faults_;
    LONG kind_;
    LONG style_ = 0;
};
} // namespace host
