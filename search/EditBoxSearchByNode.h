#pragma once

#include "search/CommonSearchControl.h"

// The note-text box of the notes group: an edit box of the host whose text is searched for
// in the notes.
class EditBoxSearchByNode final : public CommonSearchControl<EditBoxSearchByNode> {
public:
    explicit EditBoxSearchByNode(zsys::ComPtr<ZeltCore::IHostView> view)
        : CommonSearchControl(std::move(view)) {}

private:
    ~EditBoxSearchByNode() override = default;

    // The host's edit box, with the hint shown while it is empty.
    void Init() override;
    // The text typed; VARIANT_TRUE when there is one.
    VARIANT_BOOL Read() override;
    // The text criterion with the text last read, even an empty one (which every note passes).
    bool Add(ZeltCore::IHostSearchCriteria& search) override;
    void Empty() override;

    zsys::ComPtr<ZeltCore::IHostEditBox> EditBox() const;
};
