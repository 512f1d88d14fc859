#include "search/SearchCriteria.h"

#include <algorithm>
#include <limits>

namespace criteria {
namespace {
constexpr std::size_t kPrefixLength = 11; // "MYUNIQUETAG"

// The small letter that folds to a capital; any other unit stands for itself alone.
constexpr char16_t SmallOf(char16_t folded) {
    if ((folded >= u'A' && folded <= u'Z') || (folded >= u'\u0410' && folded <= u'\u042F'))
        return char16_t(folded + 0x20);
    if (folded == u'\u0401') return u'\u0451';
    return folded;
}

constexpr bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
} // namespace

std::u16string_view Identifier(int kind) {
    if (kind == kText) return u"Kavo.SampleSearch.Criterion.ByText";
    if (kind == kCategory) return u"Kavo.SampleSearch.Criterion.ByColor";
    return {};
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = FoldCase(c);
    return folded;
}

bool ContainsFolded(std::u16string_view text, std::u16string_view foldedPattern) {
    if (foldedPattern.empty()) return true;
    if (text.size() < foldedPattern.size()) return false;
    // The units that fold to the pattern's first one: itself and its small letter, if it
    // has one. Looking for those two is what most of the search does.
    const char16_t first = foldedPattern.front();
    const char16_t small = SmallOf(first);
    const char16_t* const begin = text.data();
    const char16_t* const lastStart = begin + (text.size() - foldedPattern.size());
    for (const char16_t* at = begin; at <= lastStart; ++at) {
        if (*at != first && *at != small) continue;
        std::size_t k = 1;
        while (k < foldedPattern.size() && FoldCase(at[k]) == foldedPattern[k])
            ++k;
        if (k == foldedPattern.size()) return true;
    }
    return false;
}

std::int32_t CategoryOfCriterion(std::u16string_view value) {
    if (value.size() <= kPrefixLength) return -1;
    std::u16string_view number = value.substr(kPrefixLength);
    while (!number.empty() && IsBlank(number.front()))
        number.remove_prefix(1);
    bool negative = false;
    if (!number.empty() && (number.front() == u'+' || number.front() == u'-')) {
        negative = number.front() == u'-';
        number.remove_prefix(1);
    }
    // A number past the 32-bit range stops at its end, as the host's long does.
    std::int64_t read = 0;
    for (const char16_t c : number) {
        if (c < u'0' || c > u'9') break;
        read = std::min<std::int64_t>(read * 10 + (c - u'0'), std::int64_t(1) << 32);
    }
    if (negative) read = -read;
    return std::int32_t(std::clamp<std::int64_t>(read, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}
} // namespace criteria
