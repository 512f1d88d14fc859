#pragma once

#include <optional>
#include <string_view>

namespace osmium {
class TagList;
}

namespace citygen {
// What a business or service is ("bakery", "dentist", "hotel") when the tags make the
// object one, from the first of its keys shop, office, craft, healthcare, amenity,
// tourism, leisure that counts; none for anything else (a bench, a car park, a house).
// The name is not looked at here.
std::optional<std::string_view> BusinessKind(const osmium::TagList& tags);
} // namespace citygen
