#include "langservice/LangSpecRU.h"

namespace LangService::Impl {

namespace {

// ё gets a rank of its own so that it sorts between е and ж, where the code points do not put it.
constexpr LangSpecBase::RankRange kRanks[]{
    {u' ', u' ', 0}, {u'а', u'е', 1}, {u'А', u'Е', 1}, {u'ё', u'ё', 2}, {u'Ё', u'Ё', 2},
    {u'ж', u'я', 3}, {u'Ж', u'Я', 3}, {u'a', u'z', 4}, {u'A', u'Z', 4}, {u'0', u'9', 5},
};

constexpr LangSpecBase::Tables kTables{
    .ranks = kRanks,
    .otherRank = 10,
    .months = {u"январь", u"февраль", u"март", u"апрель", u"май", u"июнь", u"июль", u"август", u"сентябрь",
               u"октябрь", u"ноябрь", u"декабрь"},
    .monthsGenitive = {u"января", u"февраля", u"марта", u"апреля", u"мая", u"июня", u"июля", u"августа",
                       u"сентября", u"октября", u"ноября", u"декабря"},
    .afterDay = u" ",
    .beforeYear = u" ",
    // Sunday's "c" is a Latin letter; the name has always been written that way.
    .weekdays = {u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"В\u0063"},
    .sizeUnits = LangSpecBase::kCyrillicSizeUnits,
};

} // namespace

LangSpecRU::LangSpecRU() : LangSpecBase(kTables) {}

PluralCategory LangSpecRU::Plural(int count) const {
    return EastSlavicPlural(count);
}

} // namespace LangService::Impl
