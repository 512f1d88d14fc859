#include "langservice/LangSpecUK.h"

namespace LangService::Impl {

namespace {

// ґ, є, і and ї lie outside the Russian block order, so they get ranks of their own in the alphabet.
constexpr LangSpecBase::RankRange kRanks[]{
    {u' ', u' ', 0}, {u'а', u'г', 1}, {u'А', u'Г', 1}, {u'ґ', u'ґ', 2}, {u'Ґ', u'Ґ', 2},
    {u'д', u'е', 3}, {u'Д', u'Е', 3}, {u'ё', u'ё', 4}, {u'Ё', u'Ё', 4}, {u'є', u'є', 5},
    {u'Є', u'Є', 5}, {u'ж', u'и', 6}, {u'Ж', u'И', 6}, {u'і', u'ї', 7}, {u'І', u'Ї', 7},
    {u'й', u'я', 8}, {u'Й', u'Я', 8}, {u'a', u'z', 9}, {u'A', u'Z', 9}, {u'0', u'9', 10},
};

constexpr LangSpecBase::Tables kTables{
    .ranks = kRanks,
    .otherRank = 11,
    .months = {u"січень", u"лютий", u"березень", u"квітень", u"травень", u"червень", u"липень", u"серпень",
               u"вересень", u"жовтень", u"листопад", u"грудень"},
    .monthsGenitive = {u"січня", u"лютого", u"березня", u"квітня", u"травня", u"червня", u"липня", u"серпня",
                       u"вересня", u"жовтня", u"листопада", u"грудня"},
    .afterDay = u" ",
    .beforeYear = u" ",
    .weekdays = {u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"Нд"},
    .sizeUnits = LangSpecBase::kCyrillicSizeUnits,
};

} // namespace

LangSpecUK::LangSpecUK() : LangSpecBase(kTables) {}

PluralCategory LangSpecUK::Plural(int count) const {
    return EastSlavicPlural(count);
}

} // namespace LangService::Impl
