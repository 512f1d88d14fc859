#pragma once

#include "langservice/PluralCategory.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace LangService::Impl {

// Russian: Cyrillic sorts first, counts follow the East Slavic rule, full dates take the genitive month.
class LangSpecRU {
public:
    // Sorting rank: space, а…е, ё, ж…я (either case), Latin letters, digits, then any other character.
    int CharRank(char16_t c) const;
    // East Slavic rule on the count taken as unsigned: one for 1, 21, 101; few for 2-4, 22; many otherwise.
    PluralCategory Plural(int count) const;
    // "D G Y" (genitive month), or "M Y" when monthOnly; month is 1..12.
    std::u16string FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                              bool monthOnly) const;
    // Short name of weekday 0..6, Monday first.
    std::u16string_view WeekdayName(unsigned index) const;
    // (unit, name) for bytes, kilobytes, megabytes and gigabytes, in unit order.
    std::span<const std::pair<unsigned, std::u16string_view>> SizeUnits() const;
};

} // namespace LangService::Impl
