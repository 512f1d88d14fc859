#pragma once

namespace LangService {

// The plural category a count falls into; the codes are the ones the forms strings are keyed by.
enum class PluralCategory {
    Zero = 0,
    One = 1,
    Two = 2,
    Few = 3,
    Many = 4,
    Other = 5,
};

} // namespace LangService
