#pragma once

#include "langservice/ILanguageOperation.h"
#include "langservice/PluralCategory.h"

#include <map>
#include <string>
#include <string_view>

namespace LangService {

// The category of a keyword ("zero", "one", "two", "few", "many", "other", exact case); throws
// "Invalid argument for plural category" for any other word.
PluralCategory KeywordToCategory(std::u16string_view keyword);

// The forms of a forms string such as {"one":"note","other":"notes"}, by category; a later key replaces an
// earlier one, a pair with an empty key or form is skipped, and nothing is found in an empty string.
// Throws "Invalid JSON" on a character outside quotes that is not a brace, comma, colon or white space.
std::map<PluralCategory, std::u16string> ParsePluralForms(std::u16string_view forms);

// The form that the operation's language uses for count; throws "invalid plural category" when the forms
// string has none for the count's category.
std::u16string GetPluralForm(const ILanguageOperation& operation, int count, std::u16string_view forms);

} // namespace LangService
