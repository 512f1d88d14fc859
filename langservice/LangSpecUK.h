#pragma once

#include "langservice/PluralCategory.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace LangService::Impl {

// Ukrainian: its own alphabet order, the Russian plural rule, full dates take the genitive month.
class LangSpecUK {
public:
    // Sorting rank: space, а…г, ґ, д…е, ё, є, ж…и, і ї, й…я (either case), Latin, digits, then the rest.
    int CharRank(char16_t c) const;
    // East Slavic rule, as in Russian.
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
