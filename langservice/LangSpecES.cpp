#include "langservice/LangSpecES.h"

namespace LangService::Impl {

namespace {

constexpr LangSpecBase::Tables kTables{
    .months = {u"enero", u"febrero", u"marzo", u"abril", u"mayo", u"junio", u"julio", u"agosto",
               u"septiembre", u"octubre", u"noviembre", u"diciembre"},
    .afterDay = u" de ",
    .beforeYear = u" de ",
    .weekdays = {u"lu", u"ma", u"mi", u"ju", u"vi", u"sá", u"do"},
    .sizeUnits = LangSpecBase::kLatinSizeUnits,
};

} // namespace

LangSpecES::LangSpecES() : LangSpecBase(kTables) {}

} // namespace LangService::Impl
