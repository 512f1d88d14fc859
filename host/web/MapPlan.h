#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>

namespace host {
class CityDatabase;
}

namespace host::web {
// The city's plan for the page's map. The city database has no coordinates, so the plan is
// laid out from the directory alone, the same way every time: the streets in id order, each a
// row with its houses along it in id order, the rows in columns. Pixels:
//
//   width, height                      of the whole plan
//   streets[]   id, name, x, y, w      the road: a band 10 px high at x, y, w wide
//   buildings[] id, street, label, address, x, y, w, h   a house standing on its road
//
// At most `limit` buildings are laid out (the first by id); a plan that leaves some out says
// so in `omitted`. A city with coordinates has its map instead, alone: `geo` (see GeoPlan.h).
// Raises CityError.
nlohmann::json PlanJson(CityDatabase& city, std::size_t limit);
} // namespace host::web
