#include "display/NodesDirController.h"

#include "core/HostWalks.h"
#include "core/IDirectoryInterface.h"
#include "display/NodesCellController.h"
#include "display/NodesQuickFilters.h"

#include <optional>

namespace {
using namespace ZeltCore;

// The organisation page of the host's search result view; E_POINTER when there is none.
zsys::ComPtr<IHostDirPage> OrganisationPage(IHostSearchView& results) {
    zsys::ComPtr<IUnknown> page;
    zsys::CheckOn<IHostSearchView>(results.Page(zsys::Bstr(kOrganisationPage).get(), page.put()));
    // A page that is no directory page is as good as none.
    return zsys::Required(zsys::Required(page).try_as<IHostDirPage>());
}

zsys::ComPtr<IHostDirPage> OrganisationPage(IHostView& view) {
    return OrganisationPage(*host_walks::SearchViewOf(view).get());
}

// The search's value of a criterion, as text up to its first NUL; none when the search
// does not have it.
std::optional<std::u16string> CriterionValue(IHostSearchCriteria& criteria, std::u16string_view id) {
    const zsys::Bstr name(id);
    VARIANT_BOOL has = VARIANT_FALSE;
    zsys::CheckOn<IHostSearchCriteria>(criteria.Has(name.get(), &has));
    if (!has) return std::nullopt;
    zsys::Variant value;
    zsys::CheckOn<IHostSearchCriteria>(criteria.Get(name.get(), value.put()));
    std::u16string text = value.ToString();
    if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
    return text;
}

} // namespace

NodesDirController::NodesDirController(zsys::ComPtr<IHostView> view, IDirectoryInterface* manager)
    : view_(std::move(view)), manager_(manager),
      cells_(zsys::Make<NodesCellController>(view_, static_cast<INodeDisplayer*>(manager_))) {}

NodesDirController::~NodesDirController() = default;

zsys::ComPtr<IStdDirectoryCustomController> NodesDirController::Attach(zsys::ComPtr<IHostView> view,
                                                                       IDirectoryInterface* manager) {
    const auto page = OrganisationPage(*zsys::Required(view.get()));
    zsys::ComPtr<IStdDirectoryCustomController> controller = zsys::Make<NodesDirController>(view, manager);
    zsys::CheckOn<IHostDirPage>(page->AttachController(controller.get()));
    return controller;
}

void NodesDirController::Detach(IHostView& view, IStdDirectoryCustomController* controller) {
    zsys::CheckOn<IHostDirPage>(OrganisationPage(view)->DetachController(controller));
}

void NodesDirController::RefreshResultPage(IHostView& view) {
    const auto results = host_walks::SearchViewOf(view);
    zsys::ComPtr<IUnknown> shown;
    zsys::CheckOn<IHostSearchView>(results->CurrentPage(shown.put()));
    const auto page = OrganisationPage(*results.get());
    if (!shown || !zsys::SameObject(shown.get(), page.get())) return;
    zsys::ComPtr<IHostSearchCriteria> criteria;
    zsys::CheckOn<IHostSearchView>(results->CurrentCriteria(criteria.put()));
    zsys::Bstr title, description;
    zsys::CheckOn<IHostSearchView>(results->CurrentTitle(title.put()));
    zsys::CheckOn<IHostSearchView>(results->CurrentDescription(description.put()));
    zsys::CheckOn<IHostSearchView>(results->ShowResults(criteria.get(), title.get(), description.get()));
}

HRESULT NodesDirController::InstallQuickFilters(IHostSearchCriteria* criteria,
                                                IHostQuickFilterSet* filters) noexcept try {
    if (!criteria || !filters) return E_INVALIDARG;
    if (const auto text = CriterionValue(*criteria, kNoteTextCriterion)) {
        IInfoMatcher* matcher = manager_;
        matcher->SetCriterion(*text);
        const zsys::ComPtr<IStdDirectoryQuickFilter> filter = zsys::Make<NodesQuickTextFilter>(matcher);
        zsys::CheckOn<IHostQuickFilterSet>(filters->Add(filter.get()));
    }
    if (const auto category = CriterionValue(*criteria, kNoteCategoryCriterion)) {
        ICategoryMatcher* matcher = manager_;
        matcher->SetCriterion(*category);
        const zsys::ComPtr<IStdDirectoryQuickFilter> filter = zsys::Make<NodesQuickCategoryFilter>(matcher);
        zsys::CheckOn<IHostQuickFilterSet>(filters->Add(filter.get()));
    }
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesDirController::CellController(IUnknown* context, IUnknown** controller) noexcept {
    if (!controller) return E_POINTER;
    *controller = nullptr;
    if (!context) return E_INVALIDARG;
    return cells_.CopyTo(controller);
}
