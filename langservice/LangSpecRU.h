#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// Russian: Cyrillic sorts first, counts follow the East Slavic rule, full dates take the genitive month.
class LangSpecRU : public LangSpecBase {
public:
    // Sorting: space, а…е, ё, ж…я (either case), Latin letters, digits, then any other character. Dates
    // "D G Y" (genitive month), or "M Y" when month only.
    LangSpecRU();
    // East Slavic rule.
    PluralCategory Plural(int count) const;
};

} // namespace LangService::Impl
