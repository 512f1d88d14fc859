#pragma once

#include <string>
#include <string_view>

namespace host {
// UTF-16 of UTF-8 text (city files, paths); a malformed sequence becomes U+FFFD.
std::u16string Utf16(std::string_view utf8);
// UTF-8 of UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view utf16);
} // namespace host
