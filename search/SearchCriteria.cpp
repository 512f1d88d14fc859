#include "search/SearchCriteria.h"

#include "core/TextFunctions.h"
#include "hostapi/ZeltCore.h"

#include <algorithm>
#include <limits>

namespace criteria {
namespace {
constexpr std::size_t kPrefixLength = ZeltCore::kCategoryLink.size();

// The small letter that folds to a capital; any other unit stands for itself alone.
constexpr char16_t SmallOf(char16_t folded) {
    if ((folded >= u'A' && folded <= u'Z') || (folded >= u'\u0410' && folded <= u'\u042F'))
        return char16_t(folded + 0x20);
    if (folded == u'\u0401') return u'\u0451';
    return folded;
}
} // namespace

std::u16string_view Identifier(int kind) {
    if (kind == kText) return ZeltCore::kNoteTextCriterion;
    if (kind == kCategory) return ZeltCore::kNoteCategoryCriterion;
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
    return ReadDecimal(value.substr(kPrefixLength));
}
} // namespace criteria
