#include "core/TextFunctions.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// What becomes of a surrogate without its other half: the strict conversion refuses a lone high
// surrogate and keeps a lone low one; the code page conversion replaces both.
enum class LoneSurrogates { Strict, Replace };

std::string EncodeUtf8(std::u16string_view text, LoneSurrogates lone) {
    // Room for the worst case, three bytes a unit (a pair of units makes four), given back at the end.
    std::string bytes(text.size() * 3, '\0');
    char* out = bytes.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (unit < 0x800) {
            *out++ = static_cast<char>(0xC0 | (unit >> 6));
            *out++ = static_cast<char>(0x80 | (unit & 0x3F));
        } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t point = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            *out++ = static_cast<char>(0xF0 | (point >> 18));
            *out++ = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (point & 0x3F));
            ++i;
        } else if (IsHighSurrogate(unit) && lone == LoneSurrogates::Strict) {
            return {};
        } else {
            if (lone == LoneSurrogates::Replace && (IsHighSurrogate(unit) || IsLowSurrogate(unit)))
                unit = kReplacementCharacter;
            *out++ = static_cast<char>(0xE0 | (unit >> 12));
            *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

// The escaping steps each replace one character, and no inserted text holds a character that a later
// step replaces, so escaping character by character in one pass gives what the steps give one after
// another.
std::optional<std::u16string_view> EscapeOf(char16_t unit) {
    switch (unit) {
    case u'&':
        return u"&amp;";
    case u'>':
        return u"&gt;";
    case u'<':
        return u"&lt;";
    case u'"':
        return u"&quot;";
    case u'\n':
        return u"<br/>";
    case u'\r':
        return u"";
    default:
        return std::nullopt;
    }
}

struct Entity {
    std::u16string_view text;
    char16_t unit;
};

// Turned back in this order. No two of these can overlap in a text (the entities each hold a single
// ampersand, at their start, and share no character with the line break), and no character put back
// can form part of a later one, so one left-to-right pass gives what the steps give one after another:
// "&amp;lt;" stays "&lt;" and "&lt;br/>" stays "<br/>".
constexpr Entity kEntities[] = {
    {u"<br/>", u'\n'}, {u"&gt;", u'>'}, {u"&lt;", u'<'}, {u"&quot;", u'"'}, {u"&amp;", u'&'},
};

// Decodes into `out`, which has room for one unit per byte; the end of what was written, or null when
// the bytes are not valid UTF-8. Each form is decoded without a loop. Overlong forms pass: older notes
// files may hold them.
char16_t* DecodeUtf8(std::string_view bytes, char16_t* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
        const unsigned lead = *p;
        if (lead < 0x80) {
            *out++ = static_cast<char16_t>(lead);
            ++p;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            if (end - p < 2 || (p[1] & 0xC0) != 0x80) return nullptr;
            *out++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            if (end - p < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return nullptr;
            *out++ = static_cast<char16_t>(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else if (lead >= 0xF0 && lead < 0xF8) {
            if (end - p < 4 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80)
                return nullptr;
            char32_t point =
                ((lead & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            if (point >= 0x110000) return nullptr;
            if (point >= 0x10000) {
                point -= 0x10000;
                *out++ = static_cast<char16_t>(0xD800 + (point >> 10));
                *out++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
            } else {
                *out++ = static_cast<char16_t>(point); // an overlong form
            }
            p += 4;
        } else {
            return nullptr; // a continuation byte, or a lead of five bytes or more
        }
    }
    return out;
}
} // namespace

std::string ToUtf8(std::u16string_view text) {
    return EncodeUtf8(text, LoneSurrogates::Strict);
}

// A text never has more UTF-16 units than UTF-8 bytes. Note texts are short: they are decoded on the
// stack and copied once into a text of exactly their size, which is what a collection of many notes
// then holds; a long text is decoded in place and given back what it did not use.
std::u16string FromUtf8(std::string_view bytes) {
    constexpr std::size_t kOnStack = 1024;
    if (bytes.size() <= kOnStack) {
        char16_t units[kOnStack];
        const char16_t* end = DecodeUtf8(bytes, units);
        return end ? std::u16string(units, static_cast<std::size_t>(end - units)) : std::u16string();
    }
    std::u16string text(bytes.size(), u'\0');
    const char16_t* end = DecodeUtf8(bytes, text.data());
    if (!end) return {};
    text.resize(static_cast<std::size_t>(end - text.data()));
    text.shrink_to_fit();
    return text;
}

std::string ToAnsi(std::u16string_view text) {
    return EncodeUtf8(text, LoneSurrogates::Replace);
}

std::u16string EscapeHtml(std::u16string_view text) {
    std::size_t size = 0;
    for (const char16_t unit : text) {
        const auto escape = EscapeOf(unit);
        size += escape ? escape->size() : 1;
    }

    std::u16string escaped;
    escaped.reserve(size);
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const auto escape = EscapeOf(text[i])) {
            escaped.append(text.substr(plainFrom, i - plainFrom)).append(*escape);
            plainFrom = i + 1;
        }
    }
    escaped.append(text.substr(plainFrom));
    return escaped;
}

std::u16string UnescapeHtml(std::u16string_view text) {
    std::u16string unescaped;
    unescaped.reserve(text.size()); // turning an entity back only ever shortens the text
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Entity* found = nullptr;
        if (text[i] == u'&' || text[i] == u'<') {
            for (const Entity& entity : kEntities) {
                if (text.substr(i).starts_with(entity.text)) {
                    found = &entity;
                    break;
                }
            }
        }
        if (!found) {
            ++i;
            continue;
        }
        unescaped.append(text.substr(plainFrom, i - plainFrom)).push_back(found->unit);
        i += found->text.size();
        plainFrom = i;
    }
    unescaped.append(text.substr(plainFrom));
    return unescaped;
}

std::int32_t ReadDecimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    // Counted a little past the range, which is enough to know the side it sticks to.
    constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kBeyond);
    return static_cast<std::int32_t>(std::clamp(negative ? -magnitude : magnitude,
                                                std::int64_t{std::numeric_limits<std::int32_t>::min()},
                                                std::int64_t{std::numeric_limits<std::int32_t>::max()}));
}
