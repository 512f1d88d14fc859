#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <string>

namespace host {
class Faults;

// A standard edit box (kind 1) the host made for a plug-in's control: its text, which the
// person types, and the hint shown while it is empty.
class HostEditBox : public zsys::ComObject<HostEditBox, ZeltCore::IHostStandardControl,
                                           ZeltCore::IHostControlText, ZeltCore::IHostEditBox> {
public:
    explicit HostEditBox(std::shared_ptr<Faults> faults);

    HRESULT SetStyle(LONG style) noexcept override;
    // A null hint is the empty one, as is a null text below.
    HRESULT SetHint(BSTR hint) noexcept override;
    HRESULT GetText(BSTR* text) noexcept override;
    HRESULT SetText(BSTR text) noexcept override;

    // What the person typed, without the plug-in being told.
    void Type(std::u16string text) { text_ = std::move(text); }
    const std::u16string& Text() const { return text_; }
    const std::u16string& Hint() const { return hint_; }
    LONG Style() const { return style_; }

private:
    ~HostEditBox() override;

    std::shared_ptr<Faults> faults_;
    std::u16string text_, hint_;
    LONG style_ = 0;
};
} // namespace host
