#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text of an element: its own value (where the parse put a first run of plain text) and its leading
// text and CDATA children joined (the writer splits a CDATA section at "]]>"); a view into the document
// for one part, into `scratch` for several; nothing when the element has no text.
std::optional<std::string_view> ElementText(pugi::xml_node element, std::string& scratch);

// The number an element holds (read as ReadInt32 reads it); nothing when the element has no text or
// nothing but blanks between its tags.
std::optional<std::int32_t> ElementNumber(pugi::xml_node element, std::string& scratch);

// A signed decimal after optional white space and sign, up to the first non-digit; 0 without digits;
// values beyond 32 bits saturate to the nearest limit.
std::int32_t ReadInt32(std::string_view text);
