#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// Armenian: no rank table, one/other counts, plain day-month-year dates.
class LangSpecHY : public LangSpecBase {
public:
    // Dates "D M Y", or "M Y" when month only.
    LangSpecHY();
};

} // namespace LangService::Impl
