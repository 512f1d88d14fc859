#pragma once

#include "host/objects/HostTextControl.h"

#include <memory>
#include <string>

namespace host {
// A standard edit box (kind 1) the host made for a plug-in's control: its text, which the
// person types, and the hint shown while it is empty.
class HostEditBox : public HostTextControl<HostEditBox, ZeltCore::IHostEditBox> {
public:
    explicit HostEditBox(std::shared_ptr<Faults> faults);

    // A null text is the empty one.
    HRESULT GetText(BSTR* text) noexcept override;
    HRESULT SetText(BSTR text) noexcept override;

    // What the person typed, without the plug-in being told.
    void Type(std::u16string text) { text_ = std::move(text); }
    const std::u16string& Text() const { return text_; }

private:
    ~HostEditBox() override;

    std::u16string text_;
};
} // namespace host
