#include "langservice/LangSpecHY.h"

namespace LangService::Impl {

namespace {

constexpr LangSpecBase::Tables kTables{
    .months = {u"հունվար", u"փետրվար", u"մարտ", u"ապրիլ", u"մայիս", u"հունիս", u"հուլիս", u"օգոստոս",
               u"սեպտեմբեր", u"հոկտեմբեր", u"նոյեմբեր", u"դեկտեմբեր"},
    .afterDay = u" ",
    .beforeYear = u" ",
    .weekdays = {u"Երկ", u"Երք", u"Չոր", u"Հնգ", u"Ուր", u"Շաբ", u"Կիր"},
    .sizeUnits = LangSpecBase::kLatinSizeUnits,
};

} // namespace

LangSpecHY::LangSpecHY() : LangSpecBase(kTables) {}

} // namespace LangService::Impl
