#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {
class CityDatabase;
class Faults;
class HostDirPage;

// The search result view with its organisation page ("Zelt.DirPage.Org"). A search shows
// the companies it finds there: those whose name holds the host's own name criterion when
// the search has one (all companies otherwise), then kept by the quick filters that the
// page's controllers install for the search.
class HostSearchView : public zsys::ComObject<HostSearchView, ZeltCore::IHostSearchView> {
public:
    // The host's own criterion: a text the company's name holds, letter case aside.

    HostSearchView(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    // "Zelt.DirPage.Org" gives the organisation page, the same object every time;
    // S_FALSE and null for any other name.
    HRESULT Page(BSTR name, IUnknown** page) noexcept override;
    // The organisation page once a search is shown; S_FALSE and null before.
    HRESULT CurrentPage(IUnknown** page) noexcept override;
    // The criteria, title and description of the search shown; S_FALSE and null before one.
    HRESULT CurrentCriteria(ZeltCore::IHostSearchCriteria** criteria) noexcept override;
    HRESULT CurrentTitle(BSTR* title) noexcept override;
    HRESULT CurrentDescription(BSTR* description) noexcept override;
    // Runs the search and shows it. E_INVALIDARG for no criteria; a controller's failing
    // install is returned, and the search shown before stays.
    HRESULT ShowResults(ZeltCore::IHostSearchCriteria* criteria, BSTR title,
                        BSTR description) noexcept override;

    HostDirPage& OrganisationPage() const { return *orgPage_.get(); }

    // Whether a search is shown, and what it shows: its texts, how many quick filters
    // were installed for it and the companies found, ascending.
    bool Shown() const { return shown_; }
    const std::u16string& Title() const { return title_; }
    const std::u16string& Description() const { return description_; }
    std::size_t QuickFilters() const { return quickFilters_; }
    const std::vector<std::int32_t>& Found() const { return found_; }
    // Forgets the search shown, as the host does when it unloads the plug-in.
    void ForgetSearch() noexcept;

    // The host objects the view keeps, itself included: its page, and the criteria of the
    // search shown when the host made them.
    long KeptObjects() const;
    // References to the view, its page and the kept criteria, beyond the host's own.
    long ForeignReferences() const;

private:
    ~HostSearchView() override;
    // The companies the search considers before the quick filters.
    std::vector<std::int32_t> Candidates(ZeltCore::IHostSearchCriteria& criteria);
    // The quick filters the page's controllers install for the search.
    HRESULT InstallFilters(ZeltCore::IHostSearchCriteria& criteria,
                           std::vector<zsys::ComPtr<ZeltCore::IStdDirectoryQuickFilter>>& filters);

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostDirPage> orgPage_;
    bool shown_ = false;
    zsys::ComPtr<ZeltCore::IHostSearchCriteria> criteria_;
    std::u16string title_, description_;
    std::size_t quickFilters_ = 0;
    std::vector<std::int32_t> found_;
};
} // namespace host
