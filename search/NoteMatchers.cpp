#include "search/NoteMatchers.h"

#include "search/SearchCriteria.h"
#include "store/NoteCollection.h"

#include <algorithm>
#include <limits>

template <class Passes> std::int32_t NoteMatchers::Match(std::int32_t company, Passes passes) const {
    if (notes_.Count() == 0) return -1;
    const NoteCollection::Neighbourhood around = notes_.Around(company);
    if (around.note && passes(*around.note)) return 0;
    if (!around.next) return -1;
    // Two ids at the ends of the range lie further apart than a distance can say; the
    // host then lands short of the next note and asks again.
    return std::int32_t(std::min<std::int64_t>(std::int64_t(*around.next) - company,
                                               std::numeric_limits<std::int32_t>::max()));
}

std::int32_t NoteMatchers::MatchText(std::int32_t company) const {
    return Match(company, [this](const CollectionElement& note) {
        return criteria::ContainsFolded(note.Text(), pattern_);
    });
}

void NoteMatchers::SetText(std::u16string_view text) {
    pattern_ = criteria::FoldCase(text);
}

std::int32_t NoteMatchers::MatchCategory(std::int32_t company) const {
    return Match(company, [this](const CollectionElement& note) { return note.ContainsCategory(category_); });
}

void NoteMatchers::SetCategory(std::u16string_view value) {
    category_ = criteria::CategoryOfCriterion(value);
}
