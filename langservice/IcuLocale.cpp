#include "langservice/IcuLocale.h"

#include "langservice/UnicoreException.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>

namespace LangService::Impl {

namespace {

icu::UnicodeString ToIcu(std::u16string_view text) {
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()));
}

std::u16string FromIcu(const icu::UnicodeString& text) {
    return std::u16string(text.getBuffer(), static_cast<std::size_t>(text.length()));
}

} // namespace

IcuLocale::IcuLocale(const char* language, const char* country) : locale_(language, country) {}

std::u16string IcuLocale::ToLower(std::u16string_view text) const {
    icu::UnicodeString result = ToIcu(text);
    return FromIcu(result.toLower(locale_));
}

std::u16string IcuLocale::ToUpper(std::u16string_view text) const {
    icu::UnicodeString result = ToIcu(text);
    return FromIcu(result.toUpper(locale_));
}

std::u16string IcuLocale::ToSentenceCase(std::u16string_view text) const {
    UErrorCode status = U_ZERO_ERROR;
    // A break iterator keeps its position in the text, so each call gets its own.
    std::unique_ptr<icu::BreakIterator> sentences(
        icu::BreakIterator::createSentenceInstance(locale_, status));
    if (U_FAILURE(status) || !sentences)
        throw unicore::exception(std::string("No sentence break rules: ") + u_errorName(status));
    icu::UnicodeString result = ToIcu(text);
    return FromIcu(result.toTitle(sentences.get(), locale_));
}

char16_t IcuLocale::SimpleLower(char16_t c) const {
    // A lone code unit of the basic plane maps inside that plane; surrogates map to themselves.
    return static_cast<char16_t>(u_tolower(c));
}

} // namespace LangService::Impl
