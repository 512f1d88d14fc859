// Feeds arbitrary UTF-16 text to the forms-string parser: it may reject it, but only with its own error.
#include "langservice/PluralForms.h"
#include "langservice/UnicoreException.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string forms(size / sizeof(char16_t), u'\0');
    std::memcpy(forms.data(), data, forms.size() * sizeof(char16_t));
    try {
        const auto parsed = LangService::ParsePluralForms(forms);
        for (const auto& [category, form] : parsed) {
            // Only the six categories are ever stored, and never an empty form.
            if (static_cast<int>(category) < 0 || static_cast<int>(category) > 5 || form.empty())
                __builtin_trap();
        }
    } catch (const unicore::exception&) {
    }
    return 0;
}
