#include "core/TextFunctions.h"
#include "platform/system/Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A text given unit by unit, for surrogates that no literal can hold.
using Units = std::u16string;

struct Encoded {
    std::u16string text;
    std::string bytes;
};

// The first and the last character of each UTF-8 length.
const std::vector<Encoded> kLengthLimits = {
    {std::u16string(1, u'\0'), std::string(1, '\0')},
    {{0x7F}, "\x7F"},
    {{0x80}, "\xC2\x80"},
    {{0x7FF}, "\xDF\xBF"},
    {{0x800}, "\xE0\xA0\x80"},
    {{0xFFFF}, "\xEF\xBF\xBF"},
    {{0xD800, 0xDC00}, "\xF0\x90\x80\x80"},
    {{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
};

std::u16string ReplaceInOrder(std::u16string text,
                              const std::vector<std::pair<std::u16string_view, std::u16string_view>>& steps) {
    for (const auto& [from, to] : steps)
        zsys::ReplaceAll(text, from, to);
    return text;
}

} // namespace

TEST(TextFunctions, Utf8_CharactersAtEachLengthLimit_ConvertBothWays) {
    for (const auto& [text, bytes] : kLengthLimits) {
        SCOPED_TRACE(bytes.size());
        EXPECT_EQ(ToUtf8(text), bytes);
        EXPECT_EQ(ToAnsi(text), bytes);
        EXPECT_EQ(FromUtf8(bytes), text);
    }
}

TEST(TextFunctions, ToUtf8_RefusesAnUnpairedHighSurrogateAndEncodesALoneLowOne) {
    const Encoded cases[] = {
        {Units{u'a', 0xD800}, ""},
        {Units{0xDBFF, u'a'}, ""},
        {Units{0xD800, 0xD800, 0xDC00}, ""},
        {Units{0xDC00, 0xD800}, ""},
        {Units{0xDC00}, "\xED\xB0\x80"},
        {Units{u'a', 0xDFFF, 0xD800, 0xDC00}, "a\xED\xBF\xBF\xF0\x90\x80\x80"},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(ToUtf8(text), bytes) << testing::PrintToString(bytes);
}

TEST(TextFunctions, FromUtf8_RefusesMalformedBytesAndDecodesOverlongFormsAndSurrogates) {
    // Bytes that cannot lead a character; a lead byte followed by something other than a
    // continuation byte; past the last code point.
    for (const char* refused :
         {"\x80", "\xBF", "ab\x80", "\xF8\x88\x80\x80\x80", "\xFC", "\xFF", "\xC3\x41", "\xE2\x82\x41",
          "\xF0\x9F\x98\xC0", "\xC3\xC3\xA9", "\xF4\x90\x80\x80", "\xF7\xBF\xBF\xBF", "a\xF5\x80\x80\x80"})
        EXPECT_EQ(FromUtf8(refused), u"") << testing::PrintToString(refused);
    const Encoded cases[] = {
        // overlong forms are decoded
        {std::u16string(1, u'\0'), std::string("\xC0\x80", 2)},
        {u"\x7F", "\xC1\xBF"},
        {std::u16string(u"\0a", 2), std::string("\xE0\x80\x80\x61", 4)},
        {Units{0x7FF}, "\xE0\x9F\xBF"},
        {std::u16string(1, u'\0'), std::string("\xF0\x80\x80\x80", 4)},
        {Units{0xFFFF}, "\xF0\x8F\xBF\xBF"},
        // so are encoded surrogates, to that unit
        {Units{0xD800}, "\xED\xA0\x80"},
        {Units{0xDFFF}, "\xF0\x8D\xBF\xBF"},
        {Units{0xD800, 0xDC00}, "\xED\xA0\x80\xED\xB0\x80"},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(FromUtf8(bytes), text) << testing::PrintToString(bytes);
}

TEST(TextFunctions, FromUtf8_SequenceCutByTheEndOfTheView_GivesEmptyThoughMoreBytesFollowInMemory) {
    const std::string_view bytes = "a\xF0\x9F\x98\x80";
    ASSERT_EQ(FromUtf8(bytes), u"a😀");
    for (std::size_t cut = 2; cut < bytes.size(); ++cut)
        EXPECT_EQ(FromUtf8(bytes.substr(0, cut)), u"") << cut;
}

TEST(TextFunctions, ToAnsi_UnpairedSurrogates_BecomeReplacementCharacter) {
    EXPECT_EQ(ToAnsi(Units{u'a', 0xD800}), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToAnsi(Units{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ToAnsi(Units{0xDBFF, 0xDBFF, 0xDFFF, u'z'}), "\xEF\xBF\xBD\xF4\x8F\xBF\xBF\x7A");
}

// Longer than the mixes below, or of pieces they lack: other entities and broken ones are kept.
TEST(TextFunctions, UnescapeHtml_TurnsBackOnlyItsOwnEntitiesAndOnlyOnce) {
    EXPECT_EQ(UnescapeHtml(u"&lt;br/&gt;&amp;amp;"), u"<br/>&amp;");
    EXPECT_EQ(UnescapeHtml(u"&nbsp;&#39;&GT;&lt <br>< br/><BR/>&&;<"),
              u"&nbsp;&#39;&GT;&lt <br>< br/><BR/>&&;<");
}

TEST(TextFunctions, HtmlEscaping_MatchesReplacingStepByStep_ForEveryShortMix) {
    const std::u16string_view pieces[] = {u"&",   u"amp;", u"lt;", u"gt;", u"quot;", u"<",
                                          u"br/", u">",    u"\"",  u"\n",  u"\r",    u"x"};
    const std::size_t count = std::size(pieces);
    std::vector<std::size_t> picks;
    const auto checkAll = [&](auto& self, std::size_t depth) -> void {
        std::u16string text;
        for (const std::size_t pick : picks)
            text += pieces[pick];
        SCOPED_TRACE(ToUtf8(text));
        ASSERT_EQ(EscapeHtml(text), ReplaceInOrder(text, {{u"&", u"&amp;"},
                                                          {u">", u"&gt;"},
                                                          {u"<", u"&lt;"},
                                                          {u"\"", u"&quot;"},
                                                          {u"\n", u"<br/>"},
                                                          {u"\r", u""}}));
        ASSERT_EQ(
            UnescapeHtml(text),
            ReplaceInOrder(
                text,
                {{u"<br/>", u"\n"}, {u"&gt;", u">"}, {u"&lt;", u"<"}, {u"&quot;", u"\""}, {u"&amp;", u"&"}}));
        if (depth == 0) return;
        for (std::size_t pick = 0; pick < count; ++pick) {
            picks.push_back(pick);
            self(self, depth - 1);
            picks.pop_back();
            if (testing::Test::HasFatalFailure()) return;
        }
    };
    checkAll(checkAll, 4);
}
