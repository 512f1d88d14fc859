#include "langservice/PluralForms.h"

#include "langservice/UnicoreException.h"

#include <array>
#include <cstddef>
#include <utility>

namespace LangService {

namespace {

constexpr std::array<std::pair<std::u16string_view, PluralCategory>, 6> kKeywords{{
    {u"zero", PluralCategory::Zero},
    {u"one", PluralCategory::One},
    {u"two", PluralCategory::Two},
    {u"few", PluralCategory::Few},
    {u"many", PluralCategory::Many},
    {u"other", PluralCategory::Other},
}};

bool IsWhiteSpace(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ';
}

// A quoted text from just after its opening quote to the next unescaped quote, the cursor left past that
// quote. Escapes are not decoded: a backslash stays, and the character after it never closes the text.
// A text that is never closed reads as empty.
std::u16string ReadQuoted(std::u16string_view forms, std::size_t& cursor) {
    const std::size_t start = cursor;
    while (cursor < forms.size()) {
        const char16_t c = forms[cursor++];
        if (c == u'"') return std::u16string(forms.substr(start, cursor - 1 - start));
        if (c == u'\\' && cursor < forms.size()) ++cursor;
    }
    return {};
}

} // namespace

PluralCategory KeywordToCategory(std::u16string_view keyword) {
    for (const auto& [word, category] : kKeywords)
        if (word == keyword) return category;
    throw unicore::exception("Invalid argument for plural category");
}

// The forms strings come from our own string tables, so this reads just enough of the object notation for
// them: quoted keys and values, braces, commas and colons. A pair is stored as soon as both its key and its
// form are known, which is why text after the closing brace still counts.
std::map<PluralCategory, std::u16string> ParsePluralForms(std::u16string_view forms) {
    std::map<PluralCategory, std::u16string> result;
    bool expectingKey = false;
    bool expectingValue = false;
    std::u16string key;
    std::u16string value;
    bool keySet = false;
    bool valueSet = false;

    std::size_t cursor = 0;
    for (;;) {
        while (cursor < forms.size() && IsWhiteSpace(forms[cursor]))
            ++cursor;
        if (cursor == forms.size()) break;

        switch (forms[cursor++]) {
        case u'{':
        case u',':
            expectingKey = true;
            expectingValue = false;
            key.clear();
            value.clear();
            keySet = false;
            valueSet = false;
            break;
        case u':':
            expectingKey = false;
            expectingValue = true;
            break;
        case u'}':
            break;
        case u'"':
            if (expectingKey) {
                key = ReadQuoted(forms, cursor);
                keySet = !key.empty();
            } else if (expectingValue) {
                value = ReadQuoted(forms, cursor);
                valueSet = !value.empty();
            } else {
                ReadQuoted(forms, cursor);
            }
            break;
        default:
            throw unicore::exception("Invalid JSON");
        }

        if (keySet && valueSet) {
            result[KeywordToCategory(key)] = value;
            expectingKey = false;
            expectingValue = false;
        }
    }
    return result;
}

std::u16string GetPluralForm(const ILanguageOperation& operation, int count, std::u16string_view forms) {
    const auto parsed = ParsePluralForms(forms);
    const auto found = parsed.find(operation.PluralCategory(count));
    if (found == parsed.end()) throw unicore::exception("invalid plural category");
    return found->second;
}

} // namespace LangService
