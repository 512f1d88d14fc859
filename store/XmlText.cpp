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
    // A notes file is parsed so that an element holds a first run of plain text as its own value.
    const std::string_view own = element.value();
    pugi::xml_node part = element.first_child();
    if (!IsText(part)) return own.empty() ? std::nullopt : std::optional<std::string_view>(own);
    if (own.empty() && !IsText(part.next_sibling())) return std::string_view(part.value());
    scratch.assign(own);
    for (; IsText(part); part = part.next_sibling())
        scratch += part.value();
    return std::string_view(scratch);
}

std::optional<std::int32_t> ElementNumber(pugi::xml_node element, std::string& scratch) {
    const auto text = ElementText(element, scratch);
    if (!text) return std::nullopt;
    if (std::all_of(text->begin(), text->end(), IsSpace) && !text->empty()) {
        // Blanks alone between an element's tags hold no number (they are kept for the names that are
        // blanks); in a CDATA section they read as 0, as ever.
        const pugi::xml_node first = element.first_child();
        if (!first || (first.type() == pugi::node_pcdata && !first.next_sibling() && !*element.value()))
            return std::nullopt;
    }
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
