#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;
class HostDirPage;

// The search result view with its organisation page ("Zelt.DirPage.Org"). Searches
// and the pages' results come with the search; until then no search is shown.
class HostSearchView : public zsys::ComObject<HostSearchView, ZeltCore::IHostSearchView> {
public:
    explicit HostSearchView(std::shared_ptr<Faults> faults);

    // "Zelt.DirPage.Org" gives the organisation page, the same object every time;
    // S_FALSE and null for any other name.
    HRESULT Page(BSTR name, IUnknown** page) noexcept override;
    // S_FALSE and null: no search has been shown.
    HRESULT CurrentPage(IUnknown** page) noexcept override;
    // Searches are not served yet.
    HRESULT CurrentCriteria(ZeltCore::IHostSearchCriteria** criteria) noexcept override;
    HRESULT CurrentTitle(BSTR* title) noexcept override;
    HRESULT CurrentDescription(BSTR* description) noexcept override;
    HRESULT ShowResults(ZeltCore::IHostSearchCriteria* criteria, BSTR title,
                        BSTR description) noexcept override;

    HostDirPage& OrganisationPage() const { return *orgPage_.get(); }

    // The host objects the view keeps, itself included.
    long KeptObjects() const { return 2; }
    // References to the view and its page, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostSearchView() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostDirPage> orgPage_;
};
} // namespace host
