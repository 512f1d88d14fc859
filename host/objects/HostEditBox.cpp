#include "host/objects/HostEditBox.h"

#include "host/Faults.h"

namespace host {
HostEditBox::HostEditBox(std::shared_ptr<Faults> faults) : HostTextControl(std::move(faults)) {}

HostEditBox::~HostEditBox() = default;

HRESULT HostEditBox::GetText(BSTR* text) noexcept try {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (const auto planted = faults_->Enter("IHostEditBox.GetText")) return *planted;
    return zsys::CopyTo(text_, text);
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
