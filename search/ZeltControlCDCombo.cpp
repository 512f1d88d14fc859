#include "search/ZeltControlCDCombo.h"

#include "search/SearchCriteria.h"
#include "store/ISearchAndImageManager.h"

namespace {
using namespace ZeltCore;

constexpr LONG kComboKind = 5, kComboStyle = 2, kOwnerDraw = 1;
// The swatch stands at the left of an item; its name starts this far in.
constexpr LONG kTextIndent = 20;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

RECT RectOf(IHostRect& rect) {
    RECT r{};
    zsys::CheckOn<IHostRect>(rect.Left(&r.left));
    zsys::CheckOn<IHostRect>(rect.Top(&r.top));
    zsys::CheckOn<IHostRect>(rect.Right(&r.right));
    zsys::CheckOn<IHostRect>(rect.Bottom(&r.bottom));
    return r;
}

template <class Context> RECT RectOf(Context& context) {
    zsys::ComPtr<IHostRect> rect;
    zsys::CheckOn<Context>(context.Rect(rect.put()));
    return RectOf(*zsys::Required(rect).get());
}

template <class Context> HDC DeviceContextOf(Context& context) {
    HDC dc = nullptr;
    zsys::CheckOn<Context>(context.DeviceContext(&dc));
    return dc;
}

RECT TextRect(RECT rect) {
    rect.left += kTextIndent;
    return rect;
}
} // namespace

void ZeltControlCDCombo::Init() {
    zsys::ComPtr<IHostFactory> factory;
    zsys::CheckOn<IHostView>(Fields().View().Factory(factory.put()));
    const auto controls = zsys::Required(factory).as<IHostControlFactory>();
    zsys::ComPtr<IUnknown> control;
    zsys::CheckOn<IHostControlFactory>(controls->CreateStandardControl(kComboKind, control.put()));
    Fields().SetControl(zsys::Required(control));
    zsys::CheckOn<IHostControlText>(control.as<IHostControlText>()->SetHint(zsys::Bstr(Texts().hint).get()));
    zsys::CheckOn<IHostStandardControl>(control.as<IHostStandardControl>()->SetStyle(kComboStyle));
    hasSelection_ = false;
    const auto combo = Combo();
    zsys::CheckOn<IHostComboBox>(combo->SetOwnerDraw(kOwnerDraw));
    zsys::CheckOn<IHostComboBox>(combo->SetEditAreaDrawer(static_cast<IEditAreaDrawer*>(this)));
    zsys::CheckOn<IHostComboBox>(combo->SetListItemDrawer(static_cast<IListBoxItemDrawer*>(this)));
}

zsys::ComPtr<IHostComboBox> ZeltControlCDCombo::Combo() const {
    return zsys::ComPtr<IUnknown>(&Fields().Control()).as<IHostComboBox>();
}

std::u16string ZeltControlCDCombo::ItemText(LONG index) const {
    zsys::Bstr text;
    zsys::CheckOn<IHostComboBox>(Combo()->ItemText(index, text.put()));
    return text.str();
}

VARIANT_BOOL ZeltControlCDCombo::Read() {
    LONG index = -1;
    zsys::CheckOn<IHostComboBox>(Combo()->Selection(&index));
    hasSelection_ = index > -1;
    if (hasSelection_) SetValue(ItemText(index));
    return hasSelection_ ? 1 : 0;
}

bool ZeltControlCDCombo::Add(IHostSearchCriteria& search) {
    LONG index = -1;
    zsys::CheckOn<IHostComboBox>(Combo()->Selection(&index));
    if (index <= -1) return false;
    SetValue(ItemText(index));
    // The search names the category by its identifier; the name shown may be anything.
    const zsys::Variant value(zsys::Required(categories_)->ImageName(index));
    zsys::CheckOn<IHostSearchCriteria>(
        search.Add(zsys::Bstr(criteria::Identifier(criteria::kCategory)).get(), value.get()));
    return true;
}

void ZeltControlCDCombo::Empty() {
    zsys::CheckOn<IHostComboBox>(Combo()->SetSelection(-1));
}

void ZeltControlCDCombo::SetCategories(const ISearchAndImageManager* categories) {
    categories_ = zsys::Required(categories);
    FillList();
}

void ZeltControlCDCombo::RefreshCategories() {
    zsys::CheckOn<IHostComboBox>(Combo()->Clear());
    FillList();
}

void ZeltControlCDCombo::FillList() {
    const auto combo = Combo();
    const ISearchAndImageManager& categories = *zsys::Required(categories_);
    const zsys::Variant noData = zsys::Variant::Error(DISP_E_PARAMNOTFOUND);
    for (int i = 0; i < categories.CategoryCount(); ++i) {
        LONG index = 0;
        zsys::CheckOn<IHostComboBox>(
            combo->AddItem(zsys::Bstr(categories.CategoryName(i)).get(), noData.get(), &index));
    }
}

HRESULT ZeltControlCDCombo::Draw(IHostDrawContext* context) noexcept try {
    if (!context) return E_POINTER;
    const HDC dc = DeviceContextOf(*context);
    const RECT rect = RectOf(*context);
    LONG index = -1;
    zsys::CheckOn<IHostDrawContext>(context->SelectedIndex(&index));
    if (index <= -1) {
        zsys::SetTextColor(dc, zsys::GetSysColor(COLOR_GRAYTEXT));
        zsys::DrawText(dc, Texts().hint, rect, kTextFormat);
        return S_OK;
    }
    if (categories_ && categories_->ImageList())
        zsys::DrawImage(categories_->ImageList(), index, dc, rect.left, rect.top, ILD_TRANSPARENT);
    zsys::SetTextColor(dc, zsys::GetSysColor(COLOR_WINDOWTEXT));
    zsys::DrawText(dc, ItemText(index), TextRect(rect), kTextFormat);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT ZeltControlCDCombo::DrawItem(IHostItemDrawContext* context) noexcept try {
    if (!context) return E_INVALIDARG;
    const HDC dc = DeviceContextOf(*context);
    const RECT rect = RectOf(*context);
    LONG index = -1;
    UINT state = 0, action = 0;
    zsys::CheckOn<IHostItemDrawContext>(context->ItemIndex(&index));
    zsys::CheckOn<IHostItemDrawContext>(context->ItemState(&state));
    zsys::CheckOn<IHostItemDrawContext>(context->ItemAction(&action));
    if (state & kItemSelected) {
        zsys::FillRect(dc, rect, zsys::GetSysColorBrush(COLOR_HIGHLIGHT));
        zsys::SetTextColor(dc, zsys::GetSysColor(COLOR_HIGHLIGHTTEXT));
        zsys::SetBkMode(dc, TRANSPARENT);
    } else if (action & (kDrawEntire | kDrawSelectionChanged)) {
        zsys::FillRect(dc, rect, zsys::GetSysColorBrush(COLOR_WINDOW));
        zsys::SetTextColor(dc, zsys::GetSysColor(COLOR_WINDOWTEXT));
        zsys::SetBkMode(dc, TRANSPARENT);
    }
    if (categories_ && categories_->ImageList())
        zsys::DrawImage(categories_->ImageList(), index, dc, rect.left, rect.top, ILD_TRANSPARENT);
    zsys::DrawText(dc, ItemText(index), TextRect(rect), kTextFormat);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
