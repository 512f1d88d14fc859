#pragma once

#include "langservice/PluralCategory.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace LangService::Impl {

// Czech: no rank table, one/few/other counts, full dates take the genitive month after "D. ".
class LangSpecCS {
public:
    // Every character ranks 0, so only the case-free character order sorts.
    int CharRank(char16_t c) const;
    // one for 1, few for 2..4, other for anything else, negative counts included.
    PluralCategory Plural(int count) const;
    // "D. G Y" (genitive month), or "M Y" when monthOnly; month is 1..12.
    std::u16string FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                              bool monthOnly) const;
    // Short name of weekday 0..6, Monday first.
    std::u16string_view WeekdayName(unsigned index) const;
    // (unit, name) for bytes, kilobytes, megabytes and gigabytes, in unit order.
    std::span<const std::pair<unsigned, std::u16string_view>> SizeUnits() const;
};

} // namespace LangService::Impl
