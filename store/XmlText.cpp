#include "store/XmlText.h"

#include <algorithm>
#include <limits>

namespace {
bool IsText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

std::optional<std::string_view> ElementText(pugi::xml_node element, std::string& scratch) {
    pugi::xml_node first = element.first_child();
    if (!IsText(first)) return std::nullopt;
    if (!IsText(first.next_sibling())) return std::string_view(first.value());
    scratch.clear();
    for (pugi::xml_node part = first; IsText(part); part = part.next_sibling())
        scratch += part.value();
    return std::string_view(scratch);
}

std::optional<std::int32_t> ElementNumber(pugi::xml_node element, std::string& scratch) {
    // Blanks alone between an element's tags hold no number (they are kept for the names that are blanks).
    const pugi::xml_node first = element.first_child();
    if (first.type() == pugi::node_pcdata && !first.next_sibling()) {
        const std::string_view value = first.value();
        if (std::all_of(value.begin(), value.end(), IsSpace)) return std::nullopt;
    }
    const auto text = ElementText(element, scratch);
    if (!text) return std::nullopt;
    return ReadInt32(*text);
}

std::int32_t ReadInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Counting in 64 bits up to just past the 32-bit range is enough to know where to saturate.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
    if (negative)
        return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                               : static_cast<std::int32_t>(magnitude);
}
