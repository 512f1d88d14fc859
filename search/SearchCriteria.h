#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the notes add to the host's searches: a criterion per kind of control (0 the note
// text, 1 the note category), each an identifier with a text value.
namespace criteria {
constexpr int kText = 0, kCategory = 1;

// The identifier of a kind's criterion; empty for any other kind.
std::u16string_view Identifier(int kind);

// The note search's own letter case: a-z, Cyrillic а-я and ё become capitals, one code
// unit at a time; everything else (accented Latin, і ї є ґ, digits) stays as it is.
constexpr char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'\u0430' && c <= u'\u044F')) return char16_t(c - 0x20);
    if (c == u'\u0451') return u'\u0401';
    return c;
}
// The text folded unit by unit; the same length.
std::u16string FoldCase(std::u16string_view text);
// Whether the folded text holds the folded pattern as one run; the text is folded as it is
// read, so no copy is made. An empty pattern is in every text.
bool ContainsFolded(std::u16string_view text, std::u16string_view foldedPattern);

// The category a category criterion names: what follows its first 11 characters (the
// prefix "MYUNIQUETAG", not compared) read as a signed decimal number, blanks and sign
// allowed before the digits and anything after them ignored; 0 with no digit at all, -1
// for a value of 11 characters or fewer.
std::int32_t CategoryOfCriterion(std::u16string_view value);
} // namespace criteria
