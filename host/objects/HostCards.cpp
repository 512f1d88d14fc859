#include "host/objects/HostCards.h"

#include "host/CityDatabase.h"
#include "host/objects/HostDirObject.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostView.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace host {
namespace {
std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
    return text;
}
} // namespace

HostCards::HostCards(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults, HostView& view)
    : city_(std::move(city)), faults_(std::move(faults)), view_(view) {}

HostCards::~HostCards() {
    CloseAll();
}

zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> HostCards::CellController() {
    HostDirPage& page = view_.MainFrame().Results().OrganisationPage();
    if (page.Controllers().empty()) return nullptr;
    const auto controller = page.Controllers().front().try_as<ZeltCore::IStdDirectoryCustomController>();
    if (!controller) throw CardError("the page's controller is no directory controller");
    zsys::ComPtr<IUnknown> cells;
    const HRESULT hr = controller->CellController(static_cast<ZeltCore::IHostDirPage*>(&page), cells.put());
    if (FAILED(hr)) throw CardError("the page's controller gave no cell controller (" + Hex(hr) + ")");
    auto cellController = cells.try_as<ZeltCore::IStdDirectoryCellCustomController>();
    if (!cellController) throw CardError("the page's controller gave no cell controller");
    return cellController;
}

HostCard& HostCards::Open(std::int32_t company) {
    if (!city_->Find(CityDatabase::Type::Company, company))
        throw CardError("no company has the id " + std::to_string(company));
    auto cells = CellController();
    zsys::ComPtr<ZeltCore::IHostDirObject> object =
        zsys::Make<HostDirObject>(city_, faults_, CityDatabase::Type::Company, company);
    auto card = zsys::Make<HostCard>(faults_, std::move(object), company, cells);
    open_.push_back(card);
    // The card opens whatever the plug-in answers; what it adds shows on the card.
    if (cells) cells->CardOpened(card.get());
    card->Build();
    return *card.get();
}

zsys::ComPtr<ZeltCore::IHostDirObject> HostCards::DirectoryObject(std::int32_t id) {
    for (const auto type : {CityDatabase::Type::Company, CityDatabase::Type::Building,
                            CityDatabase::Type::Street, CityDatabase::Type::Branch})
        if (city_->Find(type, id)) return zsys::Make<HostDirObject>(city_, faults_, type, id);
    return nullptr;
}

bool HostCards::IsOpen(std::int32_t company) const {
    return std::any_of(open_.begin(), open_.end(),
                       [&](const auto& card) { return card->CompanyId() == company; });
}

HostCard& HostCards::BringForward(std::int32_t company) {
    const auto found = std::find_if(open_.rbegin(), open_.rend(),
                                    [&](const auto& card) { return card->CompanyId() == company; });
    if (found == open_.rend()) throw CardError("no card of company " + std::to_string(company) + " is open");
    if (found == open_.rbegin()) return *open_.back().get();
    zsys::ComPtr<HostCard> card = std::move(*found);
    open_.erase(std::next(found).base());
    open_.push_back(card);
    card->Build();
    return *card.get();
}

void HostCards::CloseCurrent() {
    if (open_.empty()) throw CardError("no card is open");
    const zsys::ComPtr<HostCard> card = std::move(open_.back());
    open_.pop_back();
    card->Close();
    if (!open_.empty()) open_.back()->Build();
}

void HostCards::CloseAll() noexcept {
    while (!open_.empty()) {
        const zsys::ComPtr<HostCard> card = std::move(open_.back());
        open_.pop_back();
        card->Close();
    }
}
} // namespace host
