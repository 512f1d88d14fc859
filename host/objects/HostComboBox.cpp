#include "host/objects/HostComboBox.h"

#include "host/Faults.h"
#include "host/objects/HostDrawContext.h"

namespace host {
namespace {
// The plug-in's drawer of a kind, held without a count (see SetListItemDrawer).
template <class Drawer> HRESULT TakeDrawer(IUnknown* object, Drawer*& drawer) {
    if (!object) {
        drawer = nullptr;
        return S_OK;
    }
    zsys::ComPtr<Drawer> asked;
    if (FAILED(object->QueryInterface(Drawer::iid, asked.put_void())) || !asked) return E_INVALIDARG;
    drawer = asked.get();
    return S_OK;
}
} // namespace

HostComboBox::HostComboBox(std::shared_ptr<Faults> faults) : HostTextControl(std::move(faults)) {}

HostComboBox::~HostComboBox() = default;

HRESULT HostComboBox::Clear() noexcept try {
    if (const auto planted = faults_->Enter("IHostComboBox.Clear")) return *planted;
    items_.clear();
    selection_ = -1;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::AddItem(BSTR text, VARIANT, LONG* index) noexcept try {
    if (!index) return E_POINTER;
    *index = -1;
    if (const auto planted = faults_->Enter("IHostComboBox.AddItem")) return *planted;
    items_.emplace_back(zsys::View(text));
    *index = LONG(items_.size() - 1);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::ItemText(LONG index, BSTR* text) noexcept try {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (const auto planted = faults_->Enter("IHostComboBox.ItemText")) return *planted;
    if (index < 0 || std::size_t(index) >= items_.size()) return E_INVALIDARG;
    return zsys::CopyTo(items_[std::size_t(index)], text);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::SetOwnerDraw(LONG ownerDraw) noexcept try {
    if (const auto planted = faults_->Enter("IHostComboBox.SetOwnerDraw")) return *planted;
    ownerDraw_ = ownerDraw;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::SetSelection(LONG index) noexcept try {
    if (const auto planted = faults_->Enter("IHostComboBox.SetSelection")) return *planted;
    return Select(index) ? S_OK : E_INVALIDARG;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::Selection(LONG* index) noexcept try {
    if (!index) return E_POINTER;
    *index = -1;
    if (const auto planted = faults_->Enter("IHostComboBox.Selection")) return *planted;
    *index = selection_;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::SetListItemDrawer(IUnknown* drawer) noexcept try {
    if (const auto planted = faults_->Enter("IHostComboBox.SetListItemDrawer")) return *planted;
    return TakeDrawer(drawer, itemDrawer_);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostComboBox::SetEditAreaDrawer(IUnknown* drawer) noexcept try {
    if (const auto planted = faults_->Enter("IHostComboBox.SetEditAreaDrawer")) return *planted;
    return TakeDrawer(drawer, faceDrawer_);
} catch (...) {
    return zsys::Boundary();
}

bool HostComboBox::Select(LONG index) {
    if (index < -1 || (index >= 0 && std::size_t(index) >= items_.size())) return false;
    selection_ = index;
    return true;
}

HRESULT HostComboBox::DrawFace(HDC dc, RECT rect) {
    if (ownerDraw_ && faceDrawer_) {
        const auto context = zsys::Make<HostDrawContext>(faults_, dc, rect, selection_);
        return faceDrawer_->Draw(context.get());
    }
    const bool chosen = selection_ >= 0;
    zsys::SetTextColor(dc, zsys::GetSysColor(chosen ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    zsys::DrawText(dc, chosen ? items_[std::size_t(selection_)] : Hint(), rect, DT_SINGLELINE | DT_VCENTER);
    return S_OK;
}

HRESULT HostComboBox::DrawItem(LONG index, UINT state, UINT action, HDC dc, RECT rect) {
    if (index < 0 || std::size_t(index) >= items_.size()) return E_INVALIDARG;
    if (ownerDraw_ && itemDrawer_) {
        const auto context = zsys::Make<HostItemDrawContext>(faults_, dc, rect, index, state, action);
        return itemDrawer_->DrawItem(context.get());
    }
    zsys::DrawText(dc, items_[std::size_t(index)], rect, DT_SINGLELINE | DT_VCENTER);
    return S_OK;
}
} // namespace host
