#include "langservice/LangSpecIT.h"

#include <array>
#include <cassert>

namespace LangService::Impl {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths{
    u"gennaio", u"febbraio", u"marzo",     u"aprile",  u"maggio",   u"giugno",
    u"luglio",  u"agosto",   u"settembre", u"ottobre", u"novembre", u"dicembre",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"lun", u"mar", u"mer", u"gio",
                                                       u"ven", u"sab", u"dom"};

constexpr std::array<std::pair<unsigned, std::u16string_view>, 4> kSizeUnits{{
    {0, u"b"},
    {1, u"Kb"},
    {2, u"Mb"},
    {3, u"Gb"},
}};

} // namespace

int LangSpecIT::CharRank(char16_t) const {
    return 0;
}

PluralCategory LangSpecIT::Plural(int count) const {
    return count == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::u16string LangSpecIT::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    assert(month >= 1 && month <= 12);
    std::u16string text;
    if (!monthOnly) {
        text.append(day);
        if (day == u"1") text.append(u"\u00BA"); // "1º": the first of the month reads as an ordinal
        text.append(u" ");
    }
    return text.append(kMonths[month - 1]).append(u" ").append(year);
}

std::u16string_view LangSpecIT::WeekdayName(unsigned index) const {
    return kWeekdays.at(index);
}

std::span<const std::pair<unsigned, std::u16string_view>> LangSpecIT::SizeUnits() const {
    return kSizeUnits;
}

} // namespace LangService::Impl
