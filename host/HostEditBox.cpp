#include "host/HostEditBox.h"

#include "host/Faults.h"

namespace host {
HostEditBox::HostEditBox(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostEditBox::~HostEditBox() = default;

HRESULT HostEditBox::SetStyle(LONG style) noexcept try {
    if (const auto planted = faults_->Enter("IHostStandardControl.SetStyle")) return *planted;
    style_ = style;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostEditBox::SetHint(BSTR hint) noexcept try {
    if (const auto planted = faults_->Enter("IHostControlText.SetHint")) return *planted;
    hint_ = zsys::View(hint);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostEditBox::GetText(BSTR* text) noexcept try {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (const auto planted = faults_->Enter("IHostEditBox.GetText")) return *planted;
    *text = zsys::AllocBstr(text_);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostEditBox::SetText(BSTR text) noexcept try {
    if (const auto planted = faults_->Enter("IHostEditBox.SetText")) return *planted;
    text_ = zsys::View(text);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
