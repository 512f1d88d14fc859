#include "langservice/LangSpecUK.h"

#include "langservice/LangSpecRU.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

struct RankRange {
    char16_t first;
    char16_t last;
    int rank;
};

// ґ, є, і and ї lie outside the Russian block order, so they get ranks of their own in the alphabet.
constexpr RankRange kRanks[]{
    {u' ', u' ', 0}, {u'а', u'г', 1}, {u'А', u'Г', 1}, {u'ґ', u'ґ', 2}, {u'Ґ', u'Ґ', 2},
    {u'д', u'е', 3}, {u'Д', u'Е', 3}, {u'ё', u'ё', 4}, {u'Ё', u'Ё', 4}, {u'є', u'є', 5},
    {u'Є', u'Є', 5}, {u'ж', u'и', 6}, {u'Ж', u'И', 6}, {u'і', u'ї', 7}, {u'І', u'Ї', 7},
    {u'й', u'я', 8}, {u'Й', u'Я', 8}, {u'a', u'z', 9}, {u'A', u'Z', 9}, {u'0', u'9', 10},
};
constexpr int kOtherRank = 11;

constexpr std::array<std::u16string_view, 12> kMonths{
    u"січень", u"лютий",   u"березень", u"квітень", u"травень",  u"червень",
    u"липень", u"серпень", u"вересень", u"жовтень", u"листопад", u"грудень",
};
constexpr std::array<std::u16string_view, 12> kMonthsGenitive{
    u"січня", u"лютого", u"березня", u"квітня", u"травня",    u"червня",
    u"липня", u"серпня", u"вересня", u"жовтня", u"листопада", u"грудня",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"Нд"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"Б"},
    {1, u"КБ"},
    {2, u"МБ"},
    {3, u"ГБ"},
}};

} // namespace

int LangSpecUK::CharRank(char16_t c) const {
    const auto range =
        std::ranges::find_if(kRanks, [c](const RankRange& r) { return r.first <= c && c <= r.last; });
    return range == std::ranges::end(kRanks) ? kOtherRank : range->rank;
}

PluralCategory LangSpecUK::Plural(int count) const {
    return LangSpecRU().Plural(count);
}

std::u16string LangSpecUK::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (monthOnly)
        text.append(kMonths[month - 1]);
    else
        text.append(day).append(u" ").append(kMonthsGenitive[month - 1]);
    return text.append(u" ").append(year);
}

std::u16string_view LangSpecUK::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecUK::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
