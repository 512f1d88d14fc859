#pragma once

#include <nlohmann/json.hpp>

namespace host {
class CityDatabase;
}

namespace host::web {
// The map of a city with coordinates, sent to the page once: positions are Web Mercator
// pixels at zoom 20 (a fifth of a metre at the equator), whole numbers counted from the
// north-west corner of the city's box, `origin`, so that the page needs no projection.
//
//   attribution                           whose data it is, to be shown with the map
//   zoom, origin [x, y], width, height    the units, the corner and the box's size
//   buildings[] id, x, y, rings[[x, y, x, y, …], …]   the point and the outline's rings
//                                                     (none for a building known by its point)
//   streets[]   id, name, lines[[x, y, …], …]
//
// Raises CityError.
nlohmann::json GeoPlanJson(CityDatabase& city);
} // namespace host::web
