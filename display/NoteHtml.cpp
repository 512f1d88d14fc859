#include "display/NoteHtml.h"

#include "core/TextFunctions.h"
#include "store/CategoryImageSet.h"

namespace {
constexpr std::int32_t kPlainText = 4;
constexpr std::int32_t kEntryText = 5;
constexpr std::u16string_view kParagraph =
    u"<p style=\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; \"><strong>";

// Line breaks as the note keeps them: a lone line feed.
std::u16string SingleLineFeeds(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        result.push_back(text[i]);
    }
    return result;
}
} // namespace

std::u16string NoteTextHtml(std::u16string_view text, std::int32_t kind) {
    const std::size_t end = text.find_last_not_of(u" \r\n\t");
    if (end == std::u16string_view::npos) return {};
    const std::u16string note = SingleLineFeeds(text.substr(0, end + 1));
    switch (kind) {
    case kPlainText:
        return u"\r\n" + note;
    case kEntryText:
        return u"<strong>" + EscapeHtml(note) + u"</strong>";
    default:
        return std::u16string(kParagraph) + EscapeHtml(note) + u"</strong></p>";
    }
}

std::u16string CategoryLinksHtml(const std::vector<std::int32_t>& categories, int count) {
    std::u16string marks;
    for (const std::int32_t c : categories) {
        if (c < 0 || c >= count) continue;
        const std::u16string name = CategoryImageSet::ImageName(unsigned(c));
        marks += u"<a href= \"" + name + u"\"><img id=\"" + name + u"\" src=\"" + name +
                 u"\" align=\"middle\"></a>";
    }
    if (!categories.empty()) marks += u' ';
    return marks;
}
