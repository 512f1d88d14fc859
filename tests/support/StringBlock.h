#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {
// A string-table block as a resource holds it: 16 entries, each its length and then its UTF-16
// units, with the given texts at their indexes and the others empty.
inline std::vector<unsigned char>
StringBlock(std::initializer_list<std::pair<unsigned, std::u16string>> texts) {
    std::vector<unsigned char> bytes;
    for (unsigned i = 0; i < 16; ++i) {
        std::u16string entry(1, u'\0');
        for (const auto& [index, text] : texts)
            if (index == i) entry = char16_t(text.size()) + text;
        for (const char16_t unit : entry) {
            bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
    }
    return bytes;
}
} // namespace testsupport
