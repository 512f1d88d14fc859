#include "langservice/LangSpecIT.h"

namespace LangService::Impl {

namespace {

constexpr LangSpecBase::Tables kTables{
    .months = {u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno", u"luglio", u"agosto",
               u"settembre", u"ottobre", u"novembre", u"dicembre"},
    .afterDay = u" ",
    .beforeYear = u" ",
    .weekdays = {u"lun", u"mar", u"mer", u"gio", u"ven", u"sab", u"dom"},
    .sizeUnits = LangSpecBase::kLatinSizeUnits,
};

} // namespace

LangSpecIT::LangSpecIT() : LangSpecBase(kTables) {}

std::u16string LangSpecIT::FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                                      bool monthOnly) const {
    // "1º": the first of the month reads as an ordinal
    const std::u16string_view written = day == u"1" ? u"1\u00BA" : day;
    return LangSpecBase::FormatDate(written, month, year, monthOnly);
}

} // namespace LangService::Impl
