#pragma once

#include "host/Faults.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <string>

namespace host {
// What the host's edit box and combo box share: a standard control that takes a style and
// shows a hint, each step open to a planted fault. `Kind` is the box's own interface.
template <class Derived, class Kind>
class HostTextControl
    : public zsys::ComObject<Derived, ZeltCore::IHostStandardControl, ZeltCore::IHostControlText, Kind> {
public:
    HRESULT SetStyle(LONG style) noexcept override try {
        if (const auto planted = faults_->Enter("IHostStandardControl.SetStyle")) return *planted;
        style_ = style;
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }

    // A null hint is the empty one.
    HRESULT SetHint(BSTR hint) noexcept override try {
        if (const auto planted = faults_->Enter("IHostControlText.SetHint")) return *planted;
        hint_ = zsys::View(hint);
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }

    const std::u16string& Hint() const { return hint_; }
    LONG Style() const { return style_; }

protected:
    explicit HostTextControl(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}
    ~HostTextControl() override = default;

    const std::shared_ptr<Faults> faults_;

private:
    std::u16string hint_;
    LONG style_ = 0;
};
} // namespace host
