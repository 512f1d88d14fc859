#include "langservice/LangSpecEN.h"

#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths{
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"Mon", u"Tue", u"Wed", u"Thu",
                                                       u"Fri", u"Sat", u"Sun"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"b"},
    {1, u"Kb"},
    {2, u"Mb"},
    {3, u"Gb"},
}};

} // namespace

int LangSpecEN::CharRank(char16_t) const {
    return 0;
}

PluralCategory LangSpecEN::Plural(int count) const {
    return count == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::u16string LangSpecEN::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (!monthOnly) text.append(day).append(u" ");
    return text.append(kMonths[month - 1]).append(u", ").append(year);
}

std::u16string_view LangSpecEN::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecEN::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
