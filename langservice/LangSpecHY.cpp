#include "langservice/LangSpecHY.h"

#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths{
    u"հունվար", u"փետրվար", u"մարտ",      u"ապրիլ",     u"մայիս",    u"հունիս",
    u"հուլիս",  u"օգոստոս", u"սեպտեմբեր", u"հոկտեմբեր", u"նոյեմբեր", u"դեկտեմբեր",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"Երկ", u"Երք", u"Չոր", u"Հնգ",
                                                       u"Ուր", u"Շաբ", u"Կիր"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"b"},
    {1, u"Kb"},
    {2, u"Mb"},
    {3, u"Gb"},
}};

} // namespace

int LangSpecHY::CharRank(char16_t) const {
    return 0;
}

PluralCategory LangSpecHY::Plural(int count) const {
    return count == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::u16string LangSpecHY::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (!monthOnly) text.append(day).append(u" ");
    return text.append(kMonths[month - 1]).append(u" ").append(year);
}

std::u16string_view LangSpecHY::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecHY::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
