#pragma once

#include <unicode/locid.h>

#include <string>
#include <string_view>

namespace LangService::Impl {

// One ICU locale (language and country) for the case mapping and sentence breaks of a language.
class IcuLocale {
public:
    // The locale of an ISO language and country code, such as "ru" and "RU".
    IcuLocale(const char* language, const char* country);

    // The text lower-cased with this locale's rules; empty for an empty text.
    std::u16string ToLower(std::u16string_view text) const;
    // The text upper-cased with this locale's rules; empty for an empty text.
    std::u16string ToUpper(std::u16string_view text) const;
    // The text title-cased sentence by sentence: a capital at each sentence's start, the rest lower case.
    std::u16string ToSentenceCase(std::u16string_view text) const;
    // The simple (one to one, locale-free) lower-case mapping of one code unit; other units map to
    // themselves.
    char16_t SimpleLower(char16_t c) const;

private:
    icu::Locale locale_;
};

} // namespace LangService::Impl
