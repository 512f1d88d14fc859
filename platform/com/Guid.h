#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <optional>
#include <string>
#include <string_view>

// An interface or class identifier. Literal identifiers are parsed at compile time,
// so a mistyped one does not build.
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b) {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i]) return false;
        return true;
    }
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;

constexpr GUID GUID_NULL{};

namespace zsys {
namespace detail {
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces optional); nothing for any
// other text.
constexpr std::optional<GUID> TryParseGuid(std::string_view s) {
    if (s.size() == 38) {
        if (s.front() != '{' || s.back() != '}') return std::nullopt;
        s = s.substr(1, 36);
    }
    if (s.size() != 36) return std::nullopt;
    std::uint8_t bytes[16]{};
    int n = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (s[i] != '-') return std::nullopt;
            ++i;
            continue;
        }
        const int hi = detail::HexDigit(s[i]), lo = detail::HexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    GUID g{};
    g.Data1 = (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8) |
              bytes[3];
    g.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) g.Data4[i] = bytes[8 + i];
    return g;
}

// A literal identifier; a malformed one fails to compile where it is used in a
// constant expression.
consteval GUID Guid(const char* text) {
    auto g = TryParseGuid(std::string_view(text));
    if (!g) throw "malformed GUID literal";
    return *g;
}

// "{1FA777FF-10EF-434B-A735-99C6BFEB06D1}": upper-case hex, braces, as the registry writes it.
ZSYS_API std::string FormatGuid(const GUID& g);
} // namespace zsys
