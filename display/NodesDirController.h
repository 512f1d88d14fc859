#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

class IDirectoryInterface;

// The plug-in's controller of the host's organisation page ("Zelt.DirPage.Org"): hands
// the page the cell controller through which its cards and entries show notes.
class NodesDirController
    : public zsys::ComObject<NodesDirController, ZeltCore::IStdDirectoryCustomController> {
public:
    // The notes controller outlives the page controller.
    NodesDirController(zsys::ComPtr<ZeltCore::IHostView> view, IDirectoryInterface* manager);

    // Makes a page controller and attaches it to the organisation page; the controller to
    // detach at the end. A host failure, or a missing page, is raised as a COM error.
    static zsys::ComPtr<ZeltCore::IStdDirectoryCustomController>
    Attach(zsys::ComPtr<ZeltCore::IHostView> view, IDirectoryInterface* manager);
    // Detaches it from the organisation page again; raised as Attach.
    static void Detach(ZeltCore::IHostView& view, ZeltCore::IStdDirectoryCustomController* controller);

    // The cell controller, the same one every time. E_INVALIDARG for a null context.
    HRESULT CellController(IUnknown* context, IUnknown** controller) noexcept override;

private:
    ~NodesDirController() override;

    zsys::ComPtr<ZeltCore::IHostView> view_;
    IDirectoryInterface* manager_;
    zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> cells_;
};
