#include "search/CommonSearchControl.h"

#include "core/TextFunctions.h"

std::u16string FillTemplate(std::u16string_view textTemplate, std::u16string_view value) {
    constexpr std::u16string_view kPlaceholder = u"{name}";
    const std::u16string escaped = EscapeHtml(value);
    std::u16string filled;
    std::size_t from = 0;
    for (std::size_t at; (at = textTemplate.find(kPlaceholder, from)) != std::u16string_view::npos;
         from = at + kPlaceholder.size())
        filled.append(textTemplate.substr(from, at - from)).append(escaped);
    return filled.append(textTemplate.substr(from));
}
