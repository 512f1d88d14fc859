#include "display/NodesCellController.h"

#include "core/INodeDisplayer.h"

#include <optional>

namespace {
using namespace ZeltCore;

// The type key of the companies, the only objects that carry notes.
constexpr std::u16string_view kCompanyType = u"zelt_org";

// The company's id; none for an object of another type.
std::optional<std::int32_t> CompanyId(IHostDirObject& object) {
    zsys::Bstr type;
    zsys::CheckOn<IHostDirObject>(object.Type(type.put()));
    if (type.view() != kCompanyType) return std::nullopt;
    LONG id = 0;
    zsys::CheckOn<IHostDirObject>(object.Id(&id));
    return id;
}

// The object a card shows; null when it shows none.
zsys::ComPtr<IHostDirObject> ObjectOf(IHostCardContext& card) {
    zsys::ComPtr<IHostDirObject> object;
    zsys::CheckOn<IHostCardContext>(card.Object(object.put()));
    return object;
}

bool ServesMarks(LONG kind) {
    return kind == 1 || kind == 2 || kind == 5;
}

// Gives the text `make` writes for the company the object is; no text for another object.
template <class Make> HRESULT CompanyText(IHostDirObject& object, BSTR* text, Make make) {
    const auto company = CompanyId(object);
    *text = company ? zsys::AllocBstr(make(*company)) : nullptr;
    return S_OK;
}
} // namespace

NodesCellController::NodesCellController(zsys::ComPtr<IHostView> view, INodeDisplayer* displayer)
    : view_(std::move(view)), displayer_(displayer) {}

NodesCellController::~NodesCellController() = default;

HRESULT NodesCellController::CardOpened(IHostCardContext* card) noexcept try {
    if (!card) return E_INVALIDARG;
    if (const auto company = ObjectOf(*card)) displayer_->AddMapMarks(*card, company.get());
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::CardClosed(IHostCardContext* card) noexcept try {
    if (!card) return E_INVALIDARG;
    displayer_->RemoveMapMarks(*card);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::ImageCollection(IUnknown*, IUnknown*, IUnknown** collection) noexcept try {
    if (!collection) return E_POINTER;
    *collection = displayer_->CategoryImages().detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::NoteText(LONG kind, IUnknown* context, IHostDirObject* object,
                                      BSTR* text) noexcept try {
    if (!text) return E_POINTER;
    if (!object || !context) return E_INVALIDARG;
    return CompanyText(*object, text,
                       [&](std::int32_t company) { return displayer_->NoteHtml(company, kind); });
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::Unused5(LONG, IUnknown*, IUnknown*) noexcept {
    return E_NOTIMPL;
}

HRESULT NodesCellController::LinkFollowed(IUnknown*, BSTR target, IUnknown*) noexcept try {
    return displayer_->ShowCategoryCompanies(std::u16string(zsys::View(target))) ? S_OK : E_FAIL;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::Unused7(IUnknown*, IUnknown*, IUnknown*) noexcept {
    return E_NOTIMPL;
}

HRESULT NodesCellController::CardBuilt(IHostCardContext* card, IUnknown*,
                                       IHostCardCommands* commands) noexcept try {
    if (!card || !commands) return E_INVALIDARG;
    displayer_->CardShown(commands, card);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT NodesCellController::Unused9(IUnknown*, IUnknown*, IUnknown*, IUnknown*) noexcept {
    return E_NOTIMPL;
}

HRESULT NodesCellController::CategoryMarks(LONG kind, IUnknown* context, IHostDirObject* object,
                                           BSTR* text) noexcept try {
    if (!text) return E_POINTER;
    if (!object || !context) return E_INVALIDARG;
    if (!ServesMarks(kind)) return E_FAIL;
    return CompanyText(*object, text,
                       [&](std::int32_t company) { return displayer_->CategoryMarksHtml(company); });
} catch (...) {
    return zsys::Boundary();
}
