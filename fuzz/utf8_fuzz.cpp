// Feeds arbitrary bytes to the text functions: as UTF-8 to FromUtf8, and as UTF-16 (one unit per byte,
// and one unit per two bytes) to ToUtf8, ToAnsi, EscapeHtml and UnescapeHtml.
#include "core/TextFunctions.h"
#include "platform/system/Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// UTF-8 in shortest form without encoded surrogates: exactly the bytes a strict encoder writes.
bool IsShortestFormUtf8(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto inRange = [&](std::size_t i, unsigned lo, unsigned hi) {
        return i < bytes.size() && at(i) >= lo && at(i) <= hi;
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned lead = at(i);
        std::size_t length = 0;
        unsigned lo = 0x80, hi = 0xBF; // range of the second byte
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead == 0xE0)
            length = 3, lo = 0xA0;
        else if (lead == 0xED)
            length = 3, hi = 0x9F;
        else if (lead >= 0xE1 && lead <= 0xEF)
            length = 3;
        else if (lead == 0xF0)
            length = 4, lo = 0x90;
        else if (lead == 0xF4)
            length = 4, hi = 0x8F;
        else if (lead >= 0xF1 && lead <= 0xF3)
            length = 4;
        else
            return false;
        if (length > 1 && !inRange(i + 1, lo, hi)) return false;
        for (std::size_t k = 2; k < length; ++k)
            if (!inRange(i + k, 0x80, 0xBF)) return false;
        i += length;
    }
    return true;
}

bool HasUnpairedHighSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsHighSurrogate(text[i])) continue;
        if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1])) return true;
        ++i;
    }
    return false;
}

std::u16string ReplaceUnpairedSurrogates(std::u16string_view text) {
    std::u16string replaced(text);
    for (std::size_t i = 0; i < replaced.size(); ++i) {
        if (IsHighSurrogate(replaced[i]) && i + 1 < replaced.size() && IsLowSurrogate(replaced[i + 1]))
            ++i;
        else if (IsHighSurrogate(replaced[i]) || IsLowSurrogate(replaced[i]))
            replaced[i] = 0xFFFD;
    }
    return replaced;
}

// Escaping as its steps are written: one replace-all after another.
std::u16string
ReplacedInOrder(std::u16string text,
                std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> steps) {
    for (const auto& [from, to] : steps)
        zsys::ReplaceAll(text, from, to);
    return text;
}

std::u16string EscapeStepByStep(std::u16string text) {
    return ReplacedInOrder(std::move(text), {{u"&", u"&amp;"},
                                             {u">", u"&gt;"},
                                             {u"<", u"&lt;"},
                                             {u"\"", u"&quot;"},
                                             {u"\n", u"<br/>"},
                                             {u"\r", u""}});
}

std::u16string UnescapeStepByStep(std::u16string text) {
    return ReplacedInOrder(
        std::move(text),
        {{u"<br/>", u"\n"}, {u"&gt;", u">"}, {u"&lt;", u"<"}, {u"&quot;", u"\""}, {u"&amp;", u"&"}});
}

void CheckUtf8(std::string_view bytes) {
    const std::u16string text = FromUtf8(bytes);
    const bool accepted = bytes.empty() || !text.empty();
    Require(text.size() <= bytes.size(), "a text never has more units than its bytes");
    if (IsShortestFormUtf8(bytes)) {
        Require(accepted, "well-formed UTF-8 is accepted");
        Require(ToUtf8(text) == bytes, "well-formed UTF-8 survives decoding and encoding");
    }
    if (!accepted) return;
    // Accepted bytes may still be overlong or hold encoded surrogates; their text is what must last.
    const std::string again = ToUtf8(text);
    Require((again.empty() && !text.empty()) == HasUnpairedHighSurrogate(text),
            "encoding fails exactly on an unpaired high surrogate");
    if (!again.empty()) Require(FromUtf8(again) == text, "an encoded text decodes to itself");
}

void CheckText(std::u16string_view text) {
    const std::string strict = ToUtf8(text);
    if (HasUnpairedHighSurrogate(text))
        Require(strict.empty(), "an unpaired high surrogate is refused");
    else
        Require(FromUtf8(strict) == text, "a text survives encoding and decoding");

    const std::string ansi = ToAnsi(text);
    Require(IsShortestFormUtf8(ansi), "the code page conversion writes well-formed UTF-8");
    Require(FromUtf8(ansi) == ReplaceUnpairedSurrogates(text), "lone surrogates become U+FFFD");

    const std::u16string escaped = EscapeHtml(text);
    Require(escaped == EscapeStepByStep(std::u16string(text)), "escaping matches its steps");
    Require(UnescapeHtml(text) == UnescapeStepByStep(std::u16string(text)), "unescaping matches its steps");
    std::u16string withoutReturns(text);
    std::erase(withoutReturns, u'\r');
    Require(UnescapeHtml(escaped) == withoutReturns, "unescaping undoes escaping but for carriage returns");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckUtf8(bytes);

    CheckText(std::u16string(data, data + size));

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    CheckText(units);
    return 0;
}
