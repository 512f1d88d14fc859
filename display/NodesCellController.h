#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

class INodeDisplayer;

// What the plug-in adds to the company cards and entries of the organisation page: the
// note text and category marks of a company, the images the marks name, and the card
// events that the notes controller follows (opened, closed, built, a link followed).
class NodesCellController
    : public zsys::ComObject<NodesCellController, ZeltCore::IStdDirectoryCellCustomController,
                             ZeltHidden::IStdDirectoryCellCustomControllerPriv> {
public:
    // The displayer outlives the cell controller.
    NodesCellController(zsys::ComPtr<ZeltCore::IHostView> view, INodeDisplayer* displayer);

    // The company's buildings join the map layers of its note's categories (nothing for a
    // card without an object), and leave exactly those again. E_INVALIDARG for no card.
    HRESULT CardOpened(ZeltCore::IHostCardContext* card) noexcept override;
    HRESULT CardClosed(ZeltCore::IHostCardContext* card) noexcept override;
    // The collection of the category images; the two arguments are not used.
    HRESULT ImageCollection(IUnknown* first, IUnknown* second, IUnknown** collection) noexcept override;
    // The note's text for the kind; S_OK and null for an object that is no company.
    // E_INVALIDARG for no object or no context.
    HRESULT NoteText(LONG kind, IUnknown* context, ZeltCore::IHostDirObject* object,
                     BSTR* text) noexcept override;
    HRESULT Unused5(LONG kind, IUnknown* context, IUnknown* object) noexcept override;
    // A category mark was followed: the search for that category's companies; E_FAIL
    // for a link that names no category.
    HRESULT LinkFollowed(IUnknown* first, BSTR target, IUnknown* third) noexcept override;
    HRESULT Unused7(IUnknown* first, IUnknown* second, IUnknown* third) noexcept override;
    // The card gets the note commands, fitted to the company's note. E_INVALIDARG for no
    // card or no command host.
    HRESULT CardBuilt(ZeltCore::IHostCardContext* card, IUnknown* second,
                      ZeltCore::IHostCardCommands* commands) noexcept override;
    HRESULT Unused9(IUnknown* first, IUnknown* second, IUnknown* third, IUnknown* fourth) noexcept override;

    // The category marks for kinds 1, 2 and 5; E_FAIL for any other kind. S_OK and null
    // for an object that is no company.
    HRESULT CategoryMarks(LONG kind, IUnknown* context, ZeltCore::IHostDirObject* object,
                          BSTR* text) noexcept override;

private:
    ~NodesCellController() override;

    zsys::ComPtr<ZeltCore::IHostView> view_;
    INodeDisplayer* displayer_;
};
