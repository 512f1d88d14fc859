// The note's text and marks as the cards and entries show them. The display kinds the host asks
// for (0 to 5), the escaping, the line breaks of a note from a file, the marks in the note's order
// and the blank after them are read through the host's cells and cards; here, what no note the
// host can hold reaches.
#include "display/NoteHtml.h"

#include <gtest/gtest.h>

TEST(NoteTextHtml, ALoneCarriageReturnGoesExceptInPlainTextAndAnyOtherKindIsAParagraph) {
    const struct {
        std::u16string text;
        std::int32_t kind;
        std::u16string html;
    } cases[] = {
        {u"a\rb", 5, u"<strong>ab</strong>"},
        {u"a\rb", 4, u"\r\na\rb"},
        {u"a\r\r\nb", 4, u"\r\na\r\nb"},
        {u"a\r\nb", 7,
         u"<p style=\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; "
         u"\"><strong>a<br/>b"
         u"</strong></p>"},
        {u"  lead \t\r\n", 5, u"<strong>  lead</strong>"}, // only the end is trimmed
        {u"  \r\n", 0, u""},
        {u"  \r\n", 4, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", case " << (&c - cases));
        EXPECT_EQ(NoteTextHtml(c.text, c.kind), c.html);
    }
}

TEST(CategoryLinksHtml, LeavesOutTheCategoriesWithoutAMarkButNotTheBlank) {
    const std::u16string two =
        u"<a href= \"MYUNIQUETAG2\"><img id=\"MYUNIQUETAG2\" src=\"MYUNIQUETAG2\" align=\"middle\"></a>";
    const std::u16string seven =
        u"<a href= \"MYUNIQUETAG7\"><img id=\"MYUNIQUETAG7\" src=\"MYUNIQUETAG7\" align=\"middle\"></a>";
    EXPECT_EQ(CategoryLinksHtml({2, 18, -1, 7}, 18), two + seven + u" ");
    EXPECT_EQ(CategoryLinksHtml({18}, 18), u" ");
}
