#include "host/objects/HostSearchView.h"

#include "host/CityDatabase.h"
#include "host/Faults.h"
#include "host/QuickFilterPass.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostQuickFilterSet.h"
#include "host/objects/HostSearchCriteria.h"

namespace host {
namespace {
HRESULT CopyIfShown(const std::u16string& text, bool shown, BSTR* out) {
    return shown ? zsys::CopyTo(text, out) : S_FALSE;
}
} // namespace

HostSearchView::HostSearchView(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : city_(std::move(city)), faults_(std::move(faults)), orgPage_(zsys::Make<HostDirPage>(faults_)) {}

HostSearchView::~HostSearchView() = default;

HRESULT HostSearchView::Page(BSTR name, IUnknown** page) noexcept try {
    if (!page) return E_POINTER;
    *page = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.Page")) return *planted;
    if (zsys::View(name) != ZeltCore::kOrganisationPage) return S_FALSE;
    return zsys::ComPtr<ZeltCore::IHostDirPage>(orgPage_).CopyTo(page);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentPage(IUnknown** page) noexcept try {
    if (!page) return E_POINTER;
    *page = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.CurrentPage")) return *planted;
    if (!shown_) return S_FALSE;
    return zsys::ComPtr<ZeltCore::IHostDirPage>(orgPage_).CopyTo(page);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentCriteria(ZeltCore::IHostSearchCriteria** criteria) noexcept try {
    if (!criteria) return E_POINTER;
    *criteria = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.CurrentCriteria")) return *planted;
    if (!shown_) return S_FALSE;
    return criteria_.CopyTo(criteria);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentTitle(BSTR* title) noexcept try {
    if (!title) return E_POINTER;
    *title = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.CurrentTitle")) return *planted;
    return CopyIfShown(title_, shown_, title);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchView::CurrentDescription(BSTR* description) noexcept try {
    if (!description) return E_POINTER;
    *description = nullptr;
    if (const auto planted = faults_->Enter("IHostSearchView.CurrentDescription")) return *planted;
    return CopyIfShown(description_, shown_, description);
} catch (...) {
    return zsys::Boundary();
}

std::vector<std::int32_t> HostSearchView::Candidates(ZeltCore::IHostSearchCriteria& criteria) {
    std::u16string name;
    if (const auto* own = dynamic_cast<const HostSearchCriteria*>(&criteria)) {
        // The host reads its own object directly.
        name = own->Text(ZeltCore::kNameCriterion).value_or(u"");
    } else {
        zsys::Variant value;
        zsys::CheckOn<ZeltCore::IHostSearchCriteria>(
            criteria.Get(zsys::Bstr(ZeltCore::kNameCriterion).get(), value.put()));
        if (value.type() != VT_EMPTY) name = value.ToString();
    }
    if (!name.empty()) return city_->CompaniesNamed(name);
    return city_->CompanyIds();
}

HRESULT
HostSearchView::InstallFilters(ZeltCore::IHostSearchCriteria& criteria,
                               std::vector<zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>>& filters) {
    // Taken first: a controller may detach while it installs.
    const auto controllers = orgPage_->Controllers();
    for (const auto& controller : controllers) {
        const auto filtering = controller.try_as<ZeltCore::IStdDirectoryCustomFilterController>();
        if (!filtering) continue;
        const auto set = zsys::Make<HostQuickFilterSet>(faults_);
        const HRESULT hr = filtering->InstallQuickFilters(&criteria, set.get());
        if (FAILED(hr)) return hr;
        filters.insert(filters.end(), set->Filters().begin(), set->Filters().end());
    }
    return S_OK;
}

HRESULT HostSearchView::ShowResults(ZeltCore::IHostSearchCriteria* criteria, BSTR title,
                                    BSTR description) noexcept try {
    if (!criteria) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostSearchView.ShowResults")) return *planted;
    // Held while the search runs: the caller may let go of it meanwhile.
    const zsys::ComPtr<ZeltCore::IHostSearchCriteria> held(criteria);
    std::vector<std::int32_t> candidates = Candidates(*criteria);
    std::vector<zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>> filters;
    if (const HRESULT hr = InstallFilters(*criteria, filters); FAILED(hr)) return hr;
    found_ = filters.empty() ? std::move(candidates) : KeptByQuickFilters(candidates, filters);
    criteria_ = held;
    title_ = zsys::View(title);
    description_ = zsys::View(description);
    quickFilters_ = filters.size();
    shown_ = true;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

void HostSearchView::ForgetSearch() noexcept {
    const auto criteria = std::move(criteria_);
    criteria_ = nullptr;
    shown_ = false;
    title_.clear();
    description_.clear();
    quickFilters_ = 0;
    found_.clear();
}

long HostSearchView::KeptObjects() const {
    return 2 + (dynamic_cast<const HostSearchCriteria*>(criteria_.get()) ? 1 : 0);
}

long HostSearchView::ForeignReferences() const {
    long references = long(RefCount()) - 1 + long(orgPage_->RefCount()) - 1;
    if (const auto* kept = dynamic_cast<const HostSearchCriteria*>(criteria_.get()))
        references += long(kept->RefCount()) - 1;
    return references;
}
} // namespace host
