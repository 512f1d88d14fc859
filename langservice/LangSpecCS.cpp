#include "langservice/LangSpecCS.h"

#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths{
    u"leden",    u"únor",  u"březen", u"duben", u"květen",   u"červen",
    u"červenec", u"srpen", u"září",   u"říjen", u"listopad", u"prosinec",
};
constexpr std::array<std::u16string_view, 12> kMonthsGenitive{
    u"ledna",    u"února", u"března", u"dubna", u"května",    u"června",
    u"července", u"srpna", u"září",   u"října", u"listopadu", u"prosince",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"po", u"út", u"st", u"čt", u"pá", u"so", u"ne"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"B"},
    {1, u"kB"},
    {2, u"MB"},
    {3, u"GB"},
}};

} // namespace

int LangSpecCS::CharRank(char16_t) const {
    return 0;
}

PluralCategory LangSpecCS::Plural(int count) const {
    if (count == 1) return PluralCategory::One;
    if (count >= 2 && count <= 4) return PluralCategory::Few;
    return PluralCategory::Other;
}

std::u16string LangSpecCS::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (monthOnly)
        text.append(kMonths[month - 1]);
    else
        text.append(day).append(u". ").append(kMonthsGenitive[month - 1]);
    return text.append(u" ").append(year);
}

std::u16string_view LangSpecCS::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecCS::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
