#pragma once

#include <string>
#include <string_view>

namespace citygen {
// Writes the city of an OpenStreetMap extract to `out`, named `name`: its named businesses
// and services as companies (those sharing a brand:wikidata one chain with a branch per
// place), its buildings with their addresses and outlines, its named streets, and the
// data's attribution. A branch stands in the building around its point; a business that
// is a building stands in itself; one in no building gets a building of its own at its
// point, with its own address. Stable ids come from the objects alone (see
// OsmStableIds.h). Raises std::runtime_error for a file that is no readable extract or
// holds no business; `out` is then left as it was.
void WriteOsmCity(const std::string& extract, const std::string& out, std::string_view name);
} // namespace citygen
