#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reading the resource source files: lines, tokens and quoted texts, with errors that
// name the file and line.
namespace rescomp {
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void Fail(const std::string& file, int line, const std::string& what) {
    throw SourceError(file + ":" + std::to_string(line) + ": " + what);
}

// Strict UTF-8 to UTF-16; a malformed source is an error, not a guess.
inline bool Utf8ToUtf16(std::string_view in, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size();) {
        const unsigned char c = in[i];
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0) return false;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= in.size() || (static_cast<unsigned char>(in[i + k]) >> 6) != 2) return false;
            cp = (cp << 6) | (in[i + k] & 0x3F);
        }
        i += extra + 1;
        if (cp >= 0x110000) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return true;
}

// Splits a line into tokens: bare words, and texts in double quotes with the escapes
// \n, \" and \\ (kept as one token with its quotes removed and `quoted` set).
struct Token {
    std::string text;
    bool quoted = false;
};

inline std::vector<Token> Tokenize(const std::string& line, const std::string& file, int lineNo) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    t.text.push_back(c);
                    continue;
                }
                if (i >= line.size()) Fail(file, lineNo, "backslash at the end of the line");
                const char e = line[i++];
                if (e == 'n')
                    t.text.push_back('\n');
                else if (e == '"' || e == '\\')
                    t.text.push_back(e);
                else
                    Fail(file, lineNo, std::string("unknown escape \\") + e);
            }
            if (!closed) Fail(file, lineNo, "text not closed");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                t.text.push_back(line[i++]);
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

inline long ParseNumber(const std::string& s, const std::string& file, int lineNo) {
    std::size_t used = 0;
    long n = 0;
    try {
        n = std::stol(s, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != s.size()) Fail(file, lineNo, "not a number: " + s);
    return n;
}
} // namespace rescomp
