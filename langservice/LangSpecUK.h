#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// Ukrainian: its own alphabet order, the Russian plural rule, full dates take the genitive month.
class LangSpecUK : public LangSpecBase {
public:
    // Sorting: space, а…г, ґ, д…е, ё, є, ж…и, і ї, й…я (either case), Latin, digits, then the rest. Dates
    // "D G Y" (genitive month), or "M Y" when month only.
    LangSpecUK();
    // East Slavic rule, as in Russian.
    PluralCategory Plural(int count) const;
};

} // namespace LangService::Impl
