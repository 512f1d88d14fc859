#pragma once

#include "search/CommonSearchControl.h"
#include "search/ICategoriesSupporter.h"

// The category combo of the notes group: a combo box of the host listing the categories,
// each item drawn by this control with its colour swatch before its name.
class ZeltControlCDCombo final
    : public CommonSearchControl<ZeltControlCDCombo, ZeltCore::IEditAreaDrawer, ZeltCore::IListBoxItemDrawer,
                                 ICategoriesSupporter> {
public:
    explicit ZeltControlCDCombo(zsys::ComPtr<ZeltCore::IHostView> view)
        : CommonSearchControl(std::move(view)) {}

    // IEditAreaDrawer: the closed combo shows the chosen category's swatch and name, or the
    // hint in grey. E_POINTER for no context.
    HRESULT Draw(ZeltCore::IHostDrawContext* context) noexcept override;
    // IListBoxItemDrawer: one item of the open list, highlighted when selected. E_INVALIDARG
    // for no context.
    HRESULT DrawItem(ZeltCore::IHostItemDrawContext* context) noexcept override;

    // ICategoriesSupporter
    void SetCategories(const ISearchAndImageManager* categories) override;
    void RefreshCategories() override;

private:
    ~ZeltControlCDCombo() override = default;

    // The host's combo box, style 2, drawn by this control.
    void Init() override;
    // The selected category's name; 1 when one is selected, else 0.
    VARIANT_BOOL Read() override;
    // The category criterion with the selected category's identifier; nothing without a selection.
    bool Add(ZeltCore::IHostSearchCriteria& search) override;
    void Empty() override;

    zsys::ComPtr<ZeltCore::IHostComboBox> Combo() const;
    void FillList();
    std::u16string ItemText(LONG index) const;

    bool hasSelection_ = false;
    // The category table; it outlives the control.
    const ISearchAndImageManager* categories_ = nullptr;
};
