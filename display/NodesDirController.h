#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

class IDirectoryInterface;

// The plug-in's controller of the host's organisation page ("Zelt.DirPage.Org"): hands
// the page the cell controller through which its cards and entries show notes, and the
// quick filters of a search by note text or category.
class NodesDirController : public zsys::ComObject<NodesDirController, ZeltCore::IStdDirectoryCustomController,
                                                  ZeltCore::IStdDirectoryCustomFilterController> {
public:
    // The notes controller outlives the page controller.
    NodesDirController(zsys::ComPtr<ZeltCore::IHostView> view, IDirectoryInterface* manager);

    // Makes a page controller and attaches it to the organisation page; the controller to
    // detach at the end. A host failure, or a missing page, is raised as a COM error.
    static zsys::ComPtr<ZeltCore::IStdDirectoryCustomController>
    Attach(zsys::ComPtr<ZeltCore::IHostView> view, IDirectoryInterface* manager);
    // Detaches it from the organisation page again; raised as Attach.
    static void Detach(ZeltCore::IHostView& view, ZeltCore::IStdDirectoryCustomController* controller);

    // Runs the shown search again when the organisation page is the one shown, so that its
    // result follows notes that changed; nothing otherwise. Raised as Attach.
    static void RefreshResultPage(ZeltCore::IHostView& view);

    // The cell controller, the same one every time. E_INVALIDARG for a null context.
    HRESULT CellController(IUnknown* context, IUnknown** controller) noexcept override;
    // For a search with the note criteria: sets each matcher to its criterion and adds its
    // filter, the text's first. E_INVALIDARG for a null argument; a value with no text form
    // or a failing host call fails the install with E_FAIL.
    HRESULT InstallQuickFilters(ZeltCore::IHostSearchCriteria* criteria,
                                ZeltCore::IHostQuickFilterSet* filters) noexcept override;

private:
    ~NodesDirController() override;

    zsys::ComPtr<ZeltCore::IHostView> view_;
    IDirectoryInterface* manager_;
    zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> cells_;
};
