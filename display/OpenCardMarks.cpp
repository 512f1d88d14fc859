#include "display/OpenCardMarks.h"

#include "display/MapLayers.h"

#include <algorithm>

using namespace ZeltCore;

void OpenCardMarks::Opened(IHostCardContext& card, zsys::ComPtr<IHostDirObject> company,
                           const std::vector<std::int32_t>& categories) {
    LONG id = 0;
    zsys::CheckOn<IHostDirObject>(zsys::Required(company)->Id(&id));
    Card* known = Find(card);
    if (known)
        CountOut(*known);
    else
        known = &cards_.emplace_back();
    *known = Card{zsys::ComPtr<IHostCardContext>(&card), std::move(company), id, std::nullopt, {}};
    CountIn(*known, categories);
}

void OpenCardMarks::Closed(IHostCardContext& card) {
    Card* known = Find(card);
    if (!known) return;
    Card closed = std::move(*known);
    cards_.erase(cards_.begin() + (known - cards_.data()));
    CountOut(closed);
}

void OpenCardMarks::Changed(IHostCardContext& card, std::int32_t category, CategoryChange change) {
    Card& known = Known(card);
    if (change == CategoryChange::CountIn) {
        CountIn(known, {category});
        return;
    }
    const auto counted = std::find(known.counted.begin(), known.counted.end(), category);
    if (counted == known.counted.end()) return;
    known.counted.erase(counted);
    layers_.CountOut(*known.buildings, {category});
}

void OpenCardMarks::Recount(const std::function<std::vector<std::int32_t>(std::int32_t)>& categoriesOf) {
    for (Card& card : cards_) {
        CountOut(card);
        CountIn(card, categoriesOf(card.id));
    }
}

std::vector<zsys::ComPtr<IHostCardContext>> OpenCardMarks::Cards() const {
    std::vector<zsys::ComPtr<IHostCardContext>> cards;
    for (const Card& card : cards_)
        cards.push_back(card.card);
    return cards;
}

OpenCardMarks::Card* OpenCardMarks::Find(IHostCardContext& card) {
    for (Card& known : cards_)
        if (zsys::SameObject(known.card.get(), &card)) return &known;
    return nullptr;
}

// A card the commands reach before the host said it opened is taken as opened with nothing counted.
OpenCardMarks::Card& OpenCardMarks::Known(IHostCardContext& card) {
    if (Card* known = Find(card)) return *known;
    zsys::ComPtr<IHostDirObject> company;
    zsys::CheckOn<IHostCardContext>(card.Object(company.put()));
    Opened(card, std::move(company), {});
    return cards_.back();
}

const std::vector<ULONG>& OpenCardMarks::BuildingsOf(Card& card) {
    if (!card.buildings) card.buildings = MapLayers::Buildings(*card.company.get());
    return *card.buildings;
}

void OpenCardMarks::CountIn(Card& card, const std::vector<std::int32_t>& categories) {
    std::vector<std::int32_t> kept;
    std::copy_if(categories.begin(), categories.end(), std::back_inserter(kept),
                 [&](std::int32_t category) { return layers_.Has(category); });
    if (kept.empty()) return;
    layers_.CountIn(BuildingsOf(card), kept);
    card.counted.insert(card.counted.end(), kept.begin(), kept.end());
}

void OpenCardMarks::CountOut(Card& card) {
    if (!card.counted.empty()) layers_.CountOut(*card.buildings, card.counted);
    card.counted.clear();
}
