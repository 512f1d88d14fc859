#pragma once

#include "platform/Export.h"

#include <string>
#include <string_view>

// Small text helpers every layer shares, in UTF-16 as the plug-in keeps its texts.
namespace zsys {
// A number in decimal digits, a minus sign before a negative one ("-12", "0").
ZSYS_API std::u16string Decimal(long long value);

// Replaces every occurrence of `what` in `text` with `with`, left to right; a replacement
// is never searched again. An empty `what` changes nothing.
ZSYS_API void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with);
} // namespace zsys
