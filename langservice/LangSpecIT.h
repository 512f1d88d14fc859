#pragma once

#include "langservice/LangSpecBase.h"

#include <string>
#include <string_view>

namespace LangService::Impl {

// Italian: no rank table, one/other counts, the first of the month written as an ordinal.
class LangSpecIT : public LangSpecBase {
public:
    // Dates "D M Y", or "M Y" when month only.
    LangSpecIT();
    // As the common layout, with "º" after a day of 1; month is 1..12.
    std::u16string FormatDate(std::u16string_view day, unsigned month, std::u16string_view year,
                              bool monthOnly) const;
};

} // namespace LangService::Impl
