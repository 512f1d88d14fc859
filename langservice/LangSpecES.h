#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// Spanish: no rank table, one/other counts, dates joined with "de".
class LangSpecES : public LangSpecBase {
public:
    // Dates "D de M de Y", or "M de Y" when month only.
    LangSpecES();
};

} // namespace LangService::Impl
