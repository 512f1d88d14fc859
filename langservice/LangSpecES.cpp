#include "langservice/LangSpecES.h"

#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths{
    u"enero", u"febrero", u"marzo",      u"abril",   u"mayo",      u"junio",
    u"julio", u"agosto",  u"septiembre", u"octubre", u"noviembre", u"diciembre",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"lu", u"ma", u"mi", u"ju", u"vi", u"sá", u"do"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"b"},
    {1, u"Kb"},
    {2, u"Mb"},
    {3, u"Gb"},
}};

} // namespace

int LangSpecES::CharRank(char16_t) const {
    return 0;
}

PluralCategory LangSpecES::Plural(int count) const {
    return count == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::u16string LangSpecES::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (!monthOnly) text.append(day).append(u" de ");
    return text.append(kMonths[month - 1]).append(u" de ").append(year);
}

std::u16string_view LangSpecES::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecES::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
