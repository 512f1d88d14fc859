#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class MapLayers;

// Whether a category joins a note's marks on the map or leaves them.
enum class CategoryChange { CountIn, CountOut };

// What each open card counted into the map layers: its company's buildings, once per
// category counted. A card's close counts out exactly that, so the map never loses a mark
// it did not get nor keeps one after the last card of it closed, however the notes changed
// in between.
class OpenCardMarks {
public:
    explicit OpenCardMarks(MapLayers& layers) : layers_(layers) {}
    OpenCardMarks(const OpenCardMarks&) = delete;
    OpenCardMarks& operator=(const OpenCardMarks&) = delete;

    // The card opened on the company: its buildings are counted into the layers of the
    // categories (the host is asked for them only when there is any). A card already known
    // counts out what it counted first. A host failure is raised; the card is known then.
    void Opened(ZeltCore::IHostCardContext& card, zsys::ComPtr<ZeltCore::IHostDirObject> company,
                const std::vector<std::int32_t>& categories);
    // The card closed: it is forgotten and what it counted in is counted out. Nothing for a
    // card never counted. Never asks the host.
    void Closed(ZeltCore::IHostCardContext& card);
    // A category joined (left) the note shown on the card: counted into (out of) its layer for
    // this card. A card not known yet becomes known; a category the card never counted in is
    // not counted out.
    void Changed(ZeltCore::IHostCardContext& card, std::int32_t category, CategoryChange change);
    // After many notes changed at once: each card counts out what it counted in, then counts
    // in the categories that its company's note has now (`categoriesOf` takes the company's id).
    void Recount(const std::function<std::vector<std::int32_t>(std::int32_t company)>& categoriesOf);
    // The open cards, in the order they opened.
    std::vector<zsys::ComPtr<ZeltCore::IHostCardContext>> Cards() const;
    // Forgets every card without counting anything out (the layers go too).
    void Forget() noexcept { cards_.clear(); }

private:
    struct Card {
        zsys::ComPtr<ZeltCore::IHostCardContext> card;
        zsys::ComPtr<ZeltCore::IHostDirObject> company;
        std::int32_t id = 0;
        std::optional<std::vector<ULONG>> buildings; // asked of the host when first needed
        std::vector<std::int32_t> counted;           // a category once per time it was counted in
    };
    Card* Find(ZeltCore::IHostCardContext& card);
    Card& Known(ZeltCore::IHostCardContext& card);
    const std::vector<ULONG>& BuildingsOf(Card& card);
    void CountIn(Card& card, const std::vector<std::int32_t>& categories);
    void CountOut(Card& card);

    MapLayers& layers_;
    std::vector<Card> cards_;
};
