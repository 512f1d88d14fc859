#include "tools/citygen/OsmBusinessTags.h"

#include <osmium/osm/tag.hpp>

#include <algorithm>
#include <array>
#include <span>

namespace citygen {
namespace {
// Every value of these keys is a business, but for an empty or abandoned one.
constexpr std::array<const char*, 4> kAnyValue{"shop", "office", "craft", "healthcare"};
constexpr std::array<std::string_view, 5> kNoBusiness{"no", "vacant", "disused", "abandoned", "yes;no"};

// amenity=*: a business or service unless it is street furniture or infrastructure
// that nobody keeps notes on: where to sit, park, throw things away, drink, post or
// charge, and the like.
constexpr std::array<std::string_view, 44> kAmenityExcluded{
    "bench", "waste_basket", "waste_disposal", "recycling", "litter_bin",
    "parking", "parking_space", "parking_entrance", "bicycle_parking", "motorcycle_parking",
    "toilets", "drinking_water", "water_point", "watering_place", "fountain",
    "post_box", "letter_box", "telephone", "vending_machine", "atm",
    "shelter", "bbq", "clock", "hunting_stand", "grit_bin",
    "charging_station", "device_charging_station", "compressed_air", "loading_dock", "photo_booth",
    "ticket_validator", "feeding_place", "give_box", "public_bookcase", "dog_toilet",
    "smoking_area", "lounger", "table", "trolley_bay", "bicycle_repair_station",
    "grave_yard", "taxi", "bus_station", "parcel_locker"};

// tourism=*: where one stays or visits something run by someone; not viewpoints,
// information boards or picnic sites.
constexpr std::array<std::string_view, 14> kTourismIncluded{
    "hotel", "guest_house", "hostel", "motel", "apartment", "chalet", "camp_site",
    "caravan_site", "alpine_hut", "museum", "gallery", "zoo", "theme_park", "aquarium"};

// leisure=*: the places one pays to use; not parks, playgrounds or pitches.
constexpr std::array<std::string_view, 15> kLeisureIncluded{
    "fitness_centre", "sports_centre", "sports_hall", "water_park", "bowling_alley",
    "dance", "escape_game", "amusement_arcade", "adult_gaming_centre", "sauna",
    "tanning_salon", "trampoline_park", "ice_rink", "golf_course", "horse_riding"};

bool In(std::span<const std::string_view> list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}
} // namespace

std::optional<std::string_view> BusinessKind(const osmium::TagList& tags) {
    for (const char* key : kAnyValue)
        if (const char* value = tags[key]; value && !In(kNoBusiness, value))
            return std::string_view(value) == "yes" ? key : value; // shop=yes: a shop of no kind said
    if (const char* value = tags["amenity"]; value && !In(kAmenityExcluded, value) && !In(kNoBusiness, value))
        return value;
    if (const char* value = tags["tourism"]; value && In(kTourismIncluded, value)) return value;
    if (const char* value = tags["leisure"]; value && In(kLeisureIncluded, value)) return value;
    return std::nullopt;
}
} // namespace citygen
