#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// Czech: no rank table, one/few/other counts, full dates take the genitive month after "D. ".
class LangSpecCS : public LangSpecBase {
public:
    // Dates "D. G Y" (genitive month), or "M Y" when month only.
    LangSpecCS();
    // one for 1, few for 2..4, other for anything else, negative counts included.
    PluralCategory Plural(int count) const;
};

} // namespace LangService::Impl
