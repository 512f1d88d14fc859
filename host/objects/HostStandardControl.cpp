#include "host/objects/HostStandardControl.h"

#include "host/Faults.h"

namespace host {
HostStandardControl::HostStandardControl(std::shared_ptr<Faults> faults, LONG kind)
    : faults_(std::move(faults)), kind_(kind) {}

HostStandardControl::~HostStandardControl() = default;

HRESULT HostStandardControl::SetStyle(LONG style) noexcept try {
    if (const auto planted = faults_->Enter("IHostStandardControl.SetStyle")) return *planted;
    style_ = style;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
