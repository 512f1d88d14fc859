#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 bytes of the text; empty when a high surrogate lacks its low half (a lone low one is kept).
std::string ToUtf8(std::u16string_view text);

// Text of the UTF-8 bytes, overlong forms included; empty when the bytes are not valid UTF-8.
std::u16string FromUtf8(std::string_view bytes);

// Bytes of the text in the system's ANSI code page (UTF-8); unpaired surrogates become U+FFFD.
std::string ToAnsi(std::u16string_view text);

// Text ready for an HTML fragment: & > < and " become entities, line feeds <br/>, carriage returns go.
std::u16string EscapeHtml(std::u16string_view text);

// Text of an HTML fragment: <br/> and &gt; &lt; &quot; &amp; are turned back; anything else is kept.
std::u16string UnescapeHtml(std::u16string_view text);

// A decimal number as the C library's wcstol reads it where a long has 32 bits: leading
// blanks and a sign allowed, digits up to the first other character, 0 without digits, and
// a number beyond the range stuck at the limit on its side.
std::int32_t ReadDecimal(std::u16string_view text);
