#pragma once

#include "host/objects/HostCard.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace host {
class CityDatabase;
class Faults;
class HostView;

// A card that cannot be opened or closed, with why.
struct CardError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The company cards the host has open. Several can be, as several card windows can: the
// one in front is the current one. A card opened comes to the front; when it closes, the
// one behind it comes to the front again. A card that comes to the front again is built
// anew, so that the plug-in's current card is always the one shown.
class HostCards {
public:
    HostCards(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults, HostView& view);
    ~HostCards();
    HostCards(const HostCards&) = delete;
    HostCards& operator=(const HostCards&) = delete;

    // Opens the card of a company from the organisation page: the cell controller of the
    // page's first controller hears the card opened, then built. Raises CardError for an
    // id that is no company of the city, and when the page controller gives no cell
    // controller.
    HostCard& Open(std::int32_t company);
    // The current card; null when none is open.
    HostCard* Current() const { return open_.empty() ? nullptr : open_.back().get(); }
    std::size_t Count() const { return open_.size(); }
    // Brings the latest open card of the company to the front and builds it anew (nothing
    // more when it is in front already); raises CardError when the company has no open card.
    HostCard& BringForward(std::int32_t company);
    // Whether a card of the company is open.
    bool IsOpen(std::int32_t company) const;
    // Closes the current card, then builds anew the one that comes to the front; raises
    // CardError when none is open.
    void CloseCurrent();
    // Closes every card, the latest first.
    void CloseAll() noexcept;

    // The cell controller of the organisation page's first controller; null when no
    // controller is attached. Raises CardError when the controller gives none.
    zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> CellController();

    // Any directory object of the city by its id (the tables' ids do not overlap); null
    // when the city has none.
    zsys::ComPtr<ZeltCore::IHostDirObject> DirectoryObject(std::int32_t id);

private:
    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    HostView& view_;
    std::vector<zsys::ComPtr<HostCard>> open_;
};
} // namespace host
