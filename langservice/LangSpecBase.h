#pragma once

#include "langservice/PluralCategory.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace LangService::Impl {

// What the languages share: lookups in one language's constant tables, the date layout and the one/other
// plural rule. A language whose rule or layout differs hides that member with its own, so callers hold the
// language's own class (as the operation template does), never this one.
class LangSpecBase {
public:
    // (first, last, rank): the characters first..last sort with that rank.
    struct RankRange {
        char16_t first;
        char16_t last;
        int rank;
    };
    // (unit, name): unit 0..3 is bytes to gigabytes.
    using SizeUnit = std::pair<unsigned, std::u16string_view>;

    // Everything one language writes and sorts with; each language keeps one for the life of the process.
    struct Tables {
        // Searched in order, the first range holding a character gives its rank; none: otherRank.
        std::span<const RankRange> ranks;
        int otherRank = 0;
        // Month names 1..12; the genitive ones stay empty where full dates take the nominative too.
        std::array<std::u16string_view, 12> months;
        std::array<std::u16string_view, 12> monthsGenitive{};
        // Full dates read day, afterDay, month, beforeYear, year; month-only ones month, beforeYear, year.
        std::u16string_view afterDay;
        std::u16string_view beforeYear;
        // Short weekday names, Monday first.
        std::array<std::u16string_view, 7> weekdays;
        std::span<const SizeUnit> sizeUnits;
    };

    // Unit names of English, Italian, Armenian and Spanish.
    static constexpr std::array<SizeUnit, 4> kLatinSizeUnits{{{0, u"b"}, {1, u"Kb"}, {2, u"Mb"}, {3, u"Gb"}}};
    // Unit names of Russian and Ukrainian.
    static constexpr std::array<SizeUnit, 4> kCyrillicSizeUnits{
        {{0, u"Б"}, {1, u"КБ"}, {2, u"МБ"}, {3, u"ГБ"}}};

    // Sorting rank of a character from the rank table; otherRank (0 without a table) outside every range.
    int CharRank(char16_t c) const;
    // one for 1, other for anything else.
    PluralCategory Plural(int count) const;
    // Day, month 1..12 and year in the language's layout, the genitive month where it has one; month and
    // year alone when monthOnly.
    std::u16string FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                              bool monthOnly) const;
    // Short name of weekday 0..6, Monday first.
    std::u16string_view WeekdayName(unsigned index) const;
    // (unit, name) for bytes, kilobytes, megabytes and gigabytes, in unit order.
    std::span<const SizeUnit> SizeUnits() const;

protected:
    // A language written with tables, which must outlive it.
    explicit LangSpecBase(const Tables& tables) : tables_(&tables) {}
    ~LangSpecBase() = default;

    // East Slavic rule on the count taken as unsigned: one for 1, 21, 101; few for 2-4, 22; many otherwise.
    static PluralCategory EastSlavicPlural(int count);

private:
    const Tables* tables_;
};

} // namespace LangService::Impl
