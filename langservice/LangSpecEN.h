#pragma once

#include "langservice/LangSpecBase.h"

namespace LangService::Impl {

// English: no rank table, one/other counts, dates with the month before a comma.
class LangSpecEN : public LangSpecBase {
public:
    // Dates "D M, Y", or "M, Y" when month only.
    LangSpecEN();
};

} // namespace LangService::Impl
