#include "core/TextFunctions.h"

#include <cassert>
#include <cstddef>
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
    // Size first: a text is converted with one allocation, and a refused one with none.
    std::size_t size = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            size += 1;
        } else if (unit < 0x800) {
            size += 2;
        } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            size += 4;
            ++i;
        } else if (IsHighSurrogate(unit) && lone == LoneSurrogates::Strict) {
            return {};
        } else {
            size += 3; // a lone surrogate takes three bytes whether kept or replaced
        }
    }

    std::string bytes(size, '\0');
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
        } else {
            if (lone == LoneSurrogates::Replace && (IsHighSurrogate(unit) || IsLowSurrogate(unit)))
                unit = kReplacementCharacter;
            *out++ = static_cast<char>(0xE0 | (unit >> 12));
            *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    assert(out == bytes.data() + bytes.size());
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

} // namespace

std::string ToUtf8(std::u16string_view text) {
    return EncodeUtf8(text, LoneSurrogates::Strict);
}

// One pass into a buffer as long as the bytes (a text never has more UTF-16 units than
// UTF-8 bytes), each form decoded without a loop; invalid bytes give the empty text.
// Overlong forms pass: older notes files may hold them.
std::u16string FromUtf8(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    char16_t* out = text.data();
    while (p != end) {
        const unsigned lead = *p;
        if (lead < 0x80) {
            *out++ = static_cast<char16_t>(lead);
            ++p;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            if (end - p < 2 || (p[1] & 0xC0) != 0x80) return {};
            *out++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            if (end - p < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return {};
            *out++ = static_cast<char16_t>(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else if (lead >= 0xF0 && lead < 0xF8) {
            if (end - p < 4 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80)
                return {};
            char32_t point =
                ((lead & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            if (point >= 0x110000) return {};
            if (point >= 0x10000) {
                point -= 0x10000;
                *out++ = static_cast<char16_t>(0xD800 + (point >> 10));
                *out++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
            } else {
                *out++ = static_cast<char16_t>(point); // an overlong form
            }
            p += 4;
        } else {
            return {}; // a continuation byte, or a lead of five bytes or more
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
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
