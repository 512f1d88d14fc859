// The note's text and marks as the cards and entries show them, down to each character.
#include "display/NoteHtml.h"

#include <gtest/gtest.h>

namespace {
const std::u16string kParagraph =
    u"<p style=\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; \"><strong>";
}

TEST(NoteTextHtml, ShowsTheTrimmedTextByDisplayKind) {
    struct Case {
        std::u16string text;
        std::int32_t kind;
        std::u16string html;
    };
    const Case cases[] = {
        {u"a\r\nb", 5, u"<strong>a<br/>b</strong>"},
        {u"a\r\nb", 4, u"\r\na\nb"},
        {u"a\r\nb", 0, kParagraph + u"a<br/>b</strong></p>"},
        {u"a\r\nb", 7, kParagraph + u"a<br/>b</strong></p>"},
        {u"< > & &lt; \"", 0, kParagraph + u"&lt; &gt; &amp; &amp;lt; &quot;</strong></p>"},
        // A lone carriage return goes, except in plain text.
        {u"a\rb", 5, u"<strong>ab</strong>"},
        {u"a\rb", 4, u"\r\na\rb"},
        {u"a\r\r\nb", 4, u"\r\na\r\nb"},
        // Only the end is trimmed.
        {u"  lead \t\r\n", 5, u"<strong>  lead</strong>"},
        {u"  \r\n", 0, u""},
        {u"  \r\n", 4, u""},
        {u"", 5, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", case " << (&c - cases));
        EXPECT_EQ(NoteTextHtml(c.text, c.kind), c.html);
    }
}

TEST(CategoryLinksHtml, LinksEveryKnownCategoryInTheNotesOrderThenABlank) {
    const std::u16string two =
        u"<a href= \"MYUNIQUETAG2\"><img id=\"MYUNIQUETAG2\" src=\"MYUNIQUETAG2\" align=\"middle\"></a>";
    const std::u16string seven =
        u"<a href= \"MYUNIQUETAG7\"><img id=\"MYUNIQUETAG7\" src=\"MYUNIQUETAG7\" align=\"middle\"></a>";
    EXPECT_EQ(CategoryLinksHtml({7, 2}, 18), seven + two + u" ");
    EXPECT_EQ(CategoryLinksHtml({2, 18, -1, 7}, 18), two + seven + u" ");
    EXPECT_EQ(CategoryLinksHtml({18}, 18), u" ") << "an unknown category still brings the blank";
    EXPECT_EQ(CategoryLinksHtml({}, 18), u"");
}
