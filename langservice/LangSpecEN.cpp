#include "langservice/LangSpecEN.h"

namespace LangService::Impl {

namespace {

constexpr LangSpecBase::Tables kTables{
    .months = {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September",
               u"October", u"November", u"December"},
    .afterDay = u" ",
    .beforeYear = u", ",
    .weekdays = {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"},
    .sizeUnits = LangSpecBase::kLatinSizeUnits,
};

} // namespace

LangSpecEN::LangSpecEN() : LangSpecBase(kTables) {}

} // namespace LangService::Impl
