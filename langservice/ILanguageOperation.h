#pragma once

#include "langservice/PluralCategory.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace LangService {

// The text operations of one language; the factory hands out one shared object per language.
class ILanguageOperation {
public:
    virtual ~ILanguageOperation() = default;

    // Sorting order of two characters, case-insensitive: negative when a comes first, 0 when they tie.
    virtual int CompareChars(char16_t a, char16_t b) const = 0;
    // The text lower-cased with the language's locale; empty for an empty text.
    virtual std::u16string ToLower(std::u16string_view text) const = 0;
    // The text upper-cased with the language's locale; empty for an empty text.
    virtual std::u16string ToUpper(std::u16string_view text) const = 0;
    // Each sentence starting with a capital and the rest in lower case; empty for an empty text.
    virtual std::u16string ToSentenceCase(std::u16string_view text) const = 0;
    // An automation date as the language writes it; only month and year when monthOnly is non-zero.
    virtual std::u16string FormatDate(double date, int monthOnly) const = 0;
    // Short name of a weekday, 0 being Monday; throws "Invalid day index" above 6.
    virtual std::u16string WeekdayShortName(unsigned index) const = 0;
    // The number text followed by the name of unit 0..3 (bytes to gigabytes); throws "Invalid category"
    // above 3.
    virtual std::u16string FormatSize(std::u16string_view number, unsigned unit) const = 0;
    // The Windows language identifier; 0 when the operation carries none.
    virtual std::uint16_t WindowsLanguageId() const = 0;
    // The plural category of a count under the language's rule.
    virtual LangService::PluralCategory PluralCategory(int count) const = 0;
};

} // namespace LangService
