#pragma once

#include "host/objects/HostTextControl.h"

#include <memory>
#include <string>
#include <vector>

namespace host {
class Faults;

// Where a front end has the plug-in draw the combo's face and each item of its list, in
// pixels, and how high the page's letters are in them: the room the category names get.
inline constexpr RECT kComboItemRect{0, 0, 180, 16};
inline constexpr int kComboFontPixels = 12;

// A standard combo box (kind 5) the host made for a plug-in's control: the list the
// plug-in fills, the item the person selects, and the plug-in's drawers when it draws
// the combo itself.
class HostComboBox : public HostTextControl<HostComboBox, ZeltCore::IHostComboBox> {
public:
    explicit HostComboBox(std::shared_ptr<Faults> faults);

    HRESULT Clear() noexcept override;
    // A null text is the empty one; the data is not kept.
    HRESULT AddItem(BSTR text, VARIANT data, LONG* index) noexcept override;
    HRESULT ItemText(LONG index, BSTR* text) noexcept override;
    HRESULT SetOwnerDraw(LONG ownerDraw) noexcept override;
    HRESULT SetSelection(LONG index) noexcept override;
    HRESULT Selection(LONG* index) noexcept override;
    // The drawers are the plug-in's control that owns this combo, which outlives it: they
    // are held without a count, as a counted hold would keep both alive for ever. Null
    // takes the drawer away; E_INVALIDARG for an object that is no such drawer.
    HRESULT SetListItemDrawer(IUnknown* drawer) noexcept override;
    HRESULT SetEditAreaDrawer(IUnknown* drawer) noexcept override;

    // The person picks an item (-1: none), without the plug-in being told; false for an
    // index outside the list.
    bool Select(LONG index);
    const std::vector<std::u16string>& Items() const { return items_; }
    LONG Selected() const { return selection_; }
    bool OwnerDrawn() const { return ownerDraw_ != 0; }

    // Draws the closed face, or item `index` of the open list (with the item state and
    // action flags), on the context in the rectangle: through the plug-in's drawer when the
    // combo is owner-drawn and has one, else as the host draws a plain combo. The drawer's result.
    HRESULT DrawFace(HDC dc, RECT rect);
    HRESULT DrawItem(LONG index, UINT state, UINT action, HDC dc, RECT rect);

private:
    ~HostComboBox() override;

    std::vector<std::u16string> items_;
    LONG selection_ = -1;
    LONG ownerDraw_ = 0;
    ZeltCore::IListBoxItemDrawer* itemDrawer_ = nullptr;
    ZeltCore::IEditAreaDrawer* faceDrawer_ = nullptr;
};
} // namespace host
