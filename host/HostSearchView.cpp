#include "host/HostSearchView.h"

#include "host/Faults.h"
#include "host/HostDirPage.h"

namespace host {
HostSearchView::HostSearchView(std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)), orgPage_(zsys::Make<HostDirPage>(faults_)) {}

HostSearchView::~HostSearchView() = default;

HRESULT HostSearchView::Page(BSTR name, IUnknown** page) noexcept try {
    if (!page) return E_POINTER;
    *page = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.Page")) return *planted;
    if (zsys::View(name) != u"Zelt.DirPage.Org") return S_FALSE;
    *page = static_cast<ZeltCore::IHostDirPage*>(orgPage_.get());
    (*page)->AddRef();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentPage(IUnknown** page) noexcept try {
    if (!page) return E_POINTER;
    *page = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.CurrentPage")) return *planted;
    return S_FALSE;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentCriteria(ZeltCore::IHostSearchCriteria** criteria) noexcept {
    if (!criteria) return E_POINTER;
    *criteria = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSearchView::CurrentTitle(BSTR* title) noexcept {
    if (!title) return E_POINTER;
    *title = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSearchView::CurrentDescription(BSTR* description) noexcept {
    if (!description) return E_POINTER;
    *description = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSearchView::ShowResults(ZeltCore::IHostSearchCriteria*, BSTR, BSTR) noexcept {
    return E_NOTIMPL;
}

long HostSearchView::ForeignReferences() const {
    return long(RefCount()) - 1 + long(orgPage_->RefCount()) - 1;
}
} // namespace host
