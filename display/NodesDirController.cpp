#include "display/NodesDirController.h"

#include "core/IDirectoryInterface.h"
#include "display/NodesCellController.h"

namespace {
using namespace ZeltCore;

// The organisation page of the host's search result view; E_POINTER when there is none.
zsys::ComPtr<IHostDirPage> OrganisationPage(IHostView& view) {
    zsys::ComPtr<IHostFrame> frame;
    zsys::CheckOn<IHostView>(view.Frame(frame.put()));
    zsys::ComPtr<IHostSearchView> results;
    zsys::CheckOn<IHostFrame>(zsys::Required(frame)->SearchView(results.put()));
    zsys::ComPtr<IUnknown> page;
    zsys::CheckOn<IHostSearchView>(
        zsys::Required(results)->Page(zsys::Bstr(u"Zelt.DirPage.Org").get(), page.put()));
    // A page that is no directory page is as good as none.
    return zsys::Required(zsys::Required(page).try_as<IHostDirPage>());
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

HRESULT NodesDirController::CellController(IUnknown* context, IUnknown** controller) noexcept {
    if (!controller) return E_POINTER;
    *controller = nullptr;
    if (!context) return E_INVALIDARG;
    *controller = cells_.get();
    cells_->AddRef();
    return S_OK;
}
