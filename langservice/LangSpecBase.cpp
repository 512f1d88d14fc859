#include "langservice/LangSpecBase.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace LangService::Impl {

int LangSpecBase::CharRank(char16_t c) const {
    const auto ranks = tables_->ranks;
    const auto range =
        std::ranges::find_if(ranks, [c](const RankRange& r) { return r.first <= c && c <= r.last; });
    return range == ranks.end() ? tables_->otherRank : range->rank;
}

PluralCategory LangSpecBase::Plural(int count) const {
    return count == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::u16string LangSpecBase::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                        bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    const Tables& tables = *tables_;
    std::u16string text;
    if (monthOnly) {
        text.append(tables.months[month - 1]);
    } else {
        const bool hasGenitive = !tables.monthsGenitive[0].empty();
        const auto& names = hasGenitive ? tables.monthsGenitive : tables.months;
        text.append(day).append(tables.afterDay).append(names[month - 1]);
    }
    return text.append(tables.beforeYear).append(year);
}

std::u16string_view LangSpecBase::WeekdayName(unsigned index) const {
    return tables_->weekdays.at(index);
}

std::span<const LangSpecBase::SizeUnit> LangSpecBase::SizeUnits() const {
    return tables_->sizeUnits;
}

PluralCategory LangSpecBase::EastSlavicPlural(int count) {
    const auto n = static_cast<std::uint32_t>(count);
    const std::uint32_t d = n % 10;
    const std::uint32_t h = n % 100;
    if (d == 1 && h != 11) return PluralCategory::One;
    if (d >= 2 && d <= 4 && (h < 12 || h > 14)) return PluralCategory::Few;
    return PluralCategory::Many;
}

} // namespace LangService::Impl
