#include "langservice/LangSpecCS.h"

namespace LangService::Impl {

namespace {

constexpr LangSpecBase::SizeUnit kSizeUnits[]{{0, u"B"}, {1, u"kB"}, {2, u"MB"}, {3, u"GB"}};

constexpr LangSpecBase::Tables kTables{
    .months = {u"leden", u"únor", u"březen", u"duben", u"květen", u"červen", u"červenec", u"srpen", u"září",
               u"říjen", u"listopad", u"prosinec"},
    .monthsGenitive = {u"ledna", u"února", u"března", u"dubna", u"května", u"června", u"července", u"srpna",
                       u"září", u"října", u"listopadu", u"prosince"},
    .afterDay = u". ",
    .beforeYear = u" ",
    .weekdays = {u"po", u"út", u"st", u"čt", u"pá", u"so", u"ne"},
    .sizeUnits = kSizeUnits,
};

} // namespace

LangSpecCS::LangSpecCS() : LangSpecBase(kTables) {}

PluralCategory LangSpecCS::Plural(int count) const {
    if (count == 1) return PluralCategory::One;
    if (count >= 2 && count <= 4) return PluralCategory::Few;
    return PluralCategory::Other;
}

} // namespace LangService::Impl
