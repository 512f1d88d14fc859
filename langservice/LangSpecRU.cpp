#include "langservice/LangSpecRU.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>

namespace LangService::Impl {

namespace {

struct RankRange {
    char16_t first;
    char16_t last;
    int rank;
};

// ё gets a rank of its own so that it sorts between е and ж, where the code points do not put it.
constexpr RankRange kRanks[]{
    {u' ', u' ', 0}, {u'а', u'е', 1}, {u'А', u'Е', 1}, {u'ё', u'ё', 2}, {u'Ё', u'Ё', 2},
    {u'ж', u'я', 3}, {u'Ж', u'Я', 3}, {u'a', u'z', 4}, {u'A', u'Z', 4}, {u'0', u'9', 5},
};
constexpr int kOtherRank = 10;

constexpr std::array<std::u16string_view, 12> kMonths{
    u"январь", u"февраль", u"март",     u"апрель",  u"май",    u"июнь",
    u"июль",   u"август",  u"сентябрь", u"октябрь", u"ноябрь", u"декабрь",
};
constexpr std::array<std::u16string_view, 12> kMonthsGenitive{
    u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
    u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря",
};

// Sunday's "c" is a Latin letter; the name has always been written that way.
constexpr std::array<std::u16string_view, 7> kWeekdays{u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"В\u0063"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"Б"},
    {1, u"КБ"},
    {2, u"МБ"},
    {3, u"ГБ"},
}};

} // namespace

int LangSpecRU::CharRank(char16_t c) const {
    const auto range =
        std::ranges::find_if(kRanks, [c](const RankRange& r) { return r.first <= c && c <= r.last; });
    return range == std::ranges::end(kRanks) ? kOtherRank : range->rank;
}

PluralCategory LangSpecRU::Plural(int count) const {
    const auto n = static_cast<std::uint32_t>(count);
    const std::uint32_t d = n % 10;
    const std::uint32_t h = n % 100;
    if (d == 1 && h != 11) return PluralCategory::One;
    if (d >= 2 && d <= 4 && (h < 12 || h > 14)) return PluralCategory::Few;
    return PluralCategory::Many;
}

std::u16string LangSpecRU::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (monthOnly)
        text.append(kMonths[month - 1]);
    else
        text.append(day).append(u" ").append(kMonthsGenitive[month - 1]);
    return text.append(u" ").append(year);
}

std::u16string_view LangSpecRU::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecRU::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
