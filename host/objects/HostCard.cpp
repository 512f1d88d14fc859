#include "host/objects/HostCard.h"

#include "host/Faults.h"

namespace host {
HostCard::Part AskCell(ZeltCore::IStdDirectoryCellCustomController& cells, bool marks, LONG kind,
                       IUnknown* context, ZeltCore::IHostDirObject* object) {
    HostCard::Part part;
    zsys::Bstr text;
    if (marks) {
        zsys::ComPtr<ZeltHidden::IStdDirectoryCellCustomControllerPriv> priv;
        part.result =
            cells.QueryInterface(ZeltHidden::IStdDirectoryCellCustomControllerPriv::iid, priv.put_void());
        if (SUCCEEDED(part.result) && priv)
            part.result = priv->CategoryMarks(kind, context, object, text.put());
    } else {
        part.result = cells.NoteText(kind, context, object, text.put());
    }
    // A failing plug-in shows nothing, whatever it left in the text.
    if (SUCCEEDED(part.result) && text.get()) {
        part.hasText = true;
        part.text = text.str();
    }
    return part;
}

HostCard::HostCard(std::shared_ptr<Faults> faults, zsys::ComPtr<ZeltCore::IHostDirObject> company,
                   std::int32_t id, zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> cells)
    : faults_(std::move(faults)), company_(std::move(company)), id_(id), cells_(std::move(cells)) {}

HostCard::~HostCard() {
    // A card the host never closed goes without telling the plug-in.
    if (commands_) commands_->ReleaseContents();
}

HRESULT HostCard::Object(ZeltCore::IHostDirObject** object) noexcept try {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (const auto planted = faults_->Enter("IHostCardContext.Object")) return *planted;
    return company_.CopyTo(object);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostCard::Refresh() noexcept try {
    if (const auto planted = faults_->Enter("IHostCardContext.Refresh")) return *planted;
    if (closed_) return S_FALSE;
    Build();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

void HostCard::Build() {
    ++builds_;
    // The old commands go only once the new ones are in: a command being run keeps its card.
    const zsys::ComPtr<HostCardCommands> old =
        std::exchange(commands_, zsys::Make<HostCardCommands>(faults_));
    if (old) old->ReleaseContents();
    note_ = marks_ = Part{};
    built_ = S_OK;
    if (!cells_) return;
    built_ = cells_->CardBuilt(this, nullptr, commands_.get());
    IUnknown* context = static_cast<ZeltCore::IHostCardContext*>(this);
    note_ = AskCell(*cells_.get(), false, 0, context, company_.get());
    marks_ = AskCell(*cells_.get(), true, 1, context, company_.get());
}

HRESULT HostCard::FollowLink(std::u16string_view target) {
    if (!cells_ || closed_) return E_FAIL;
    // Held while the plug-in answers: the search it starts may close or rebuild cards.
    const zsys::ComPtr<HostCard> self(this);
    const auto cells = cells_;
    return cells->LinkFollowed(static_cast<ZeltCore::IHostCardContext*>(this), zsys::Bstr(target).get(),
                               nullptr);
}

void HostCard::Close() noexcept {
    if (closed_) return;
    closed_ = true;
    // The card is closed whatever the plug-in answers.
    if (const auto cells = std::move(cells_)) cells->CardClosed(this);
    if (const auto commands = std::move(commands_)) commands->ReleaseContents();
}
} // namespace host
