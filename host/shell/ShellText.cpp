#include "host/shell/ShellText.h"

#include "host/Utf.h"

#include <cstdio>

namespace host {
std::string Quoted(std::u16string_view text) {
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

bool Unescape(std::string_view written, std::u16string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\\') {
            bytes += written[i];
            continue;
        }
        if (++i == written.size()) return false;
        switch (written[i]) {
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case '\\':
            bytes += '\\';
            break;
        default:
            return false;
        }
    }
    text = Utf16(bytes);
    return true;
}
} // namespace host
