#include "core/TextFunctions.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
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

// Replaces each occurrence left to right, resuming after the inserted text.
std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to) {
    for (auto pos = text.find(from); pos != std::u16string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

std::u16string ReplaceInOrder(std::u16string text,
                              const std::vector<std::pair<std::u16string_view, std::u16string_view>>& steps) {
    for (const auto& [from, to] : steps)
        text = ReplaceAll(std::move(text), from, to);
    return text;
}

} // namespace

TEST(TextFunctions, Utf8_CharactersAtEachLengthLimit_ConvertBothWays) {
    std::u16string allText;
    std::string allBytes;
    for (const auto& [text, bytes] : kLengthLimits) {
        SCOPED_TRACE(bytes.size());
        EXPECT_EQ(ToUtf8(text), bytes);
        EXPECT_EQ(ToAnsi(text), bytes);
        EXPECT_EQ(FromUtf8(bytes), text);
        allText += text;
        allBytes += bytes;
    }
    EXPECT_EQ(ToUtf8(allText), allBytes);
    EXPECT_EQ(FromUtf8(allBytes), allText);
}

TEST(TextFunctions, Utf8_MixedText_SurvivesRoundTrips) {
    std::u16string text;
    for (int i = 0; i < 1000; ++i)
        text += u"Кафе «Ёлка» & bar, 9:00–18:00 ☕ 😀\n";
    const std::string bytes = ToUtf8(text);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(FromUtf8(bytes), text);
    EXPECT_EQ(ToUtf8(FromUtf8(bytes)), bytes);
}

TEST(TextFunctions, ToUtf8_HighSurrogateWithoutLowHalf_GivesEmpty) {
    EXPECT_EQ(ToUtf8(Units{u'a', 0xD800}), "");
    EXPECT_EQ(ToUtf8(Units{0xDBFF, u'a'}), "");
    EXPECT_EQ(ToUtf8(Units{0xD800, 0xD800, 0xDC00}), "");
    EXPECT_EQ(ToUtf8(Units{0xDC00, 0xD800}), "");
}

TEST(TextFunctions, ToUtf8_LoneLowSurrogate_IsEncodedLikeAnOrdinaryUnit) {
    EXPECT_EQ(ToUtf8(Units{0xDC00}), "\xED\xB0\x80");
    EXPECT_EQ(ToUtf8(Units{u'a', 0xDFFF, 0xD800, 0xDC00}), "a\xED\xBF\xBF\xF0\x90\x80\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(Units{0xDC00, u'b'})), (Units{0xDC00, u'b'}));
}

TEST(TextFunctions, FromUtf8_InvalidBytes_GiveEmpty) {
    const std::vector<std::string> invalid = {
        // bytes that cannot lead a character
        "\x80",
        "\xBF",
        "ab\x80",
        "\xF8\x88\x80\x80\x80",
        "\xFC",
        "\xFF",
        // a lead byte followed by something other than a continuation byte
        "\xC3"
        "A",
        "\xE2\x82"
        "A",
        "\xF0\x9F\x98\xC0",
        "\xC3\xC3\xA9",
        // sequences cut off by the end
        "\xC3",
        "\xE2\x82",
        "\xF0\x9F\x98",
        "ok\xF4\x8F\xBF",
        // past the last code point
        "\xF4\x90\x80\x80",
        "\xF7\xBF\xBF\xBF",
        "a\xF5\x80\x80\x80",
    };
    for (const auto& bytes : invalid) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(FromUtf8(bytes), u"");
    }
}

TEST(TextFunctions, FromUtf8_SequenceCutByTheEndOfTheView_GivesEmptyThoughMoreBytesFollowInMemory) {
    const std::string_view bytes = "a\xF0\x9F\x98\x80";
    ASSERT_EQ(FromUtf8(bytes), u"a😀");
    for (std::size_t cut = 2; cut < bytes.size(); ++cut)
        EXPECT_EQ(FromUtf8(bytes.substr(0, cut)), u"") << cut;
}

TEST(TextFunctions, FromUtf8_OverlongForms_AreDecoded) {
    EXPECT_EQ(FromUtf8("\xC0\x80"), std::u16string(1, u'\0'));
    EXPECT_EQ(FromUtf8("\xC1\xBF"), u"\x7F");
    EXPECT_EQ(FromUtf8("\xE0\x80\x80"
                       "a"),
              std::u16string(u"\0a", 2));
    EXPECT_EQ(FromUtf8("\xE0\x9F\xBF"), std::u16string{0x7FF});
    EXPECT_EQ(FromUtf8("\xF0\x80\x80\x80"), std::u16string(1, u'\0'));
    EXPECT_EQ(FromUtf8("\xF0\x8F\xBF\xBF"), std::u16string{0xFFFF});
}

TEST(TextFunctions, FromUtf8_EncodedSurrogates_DecodeToThatUnit) {
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), std::u16string{0xD800});
    EXPECT_EQ(FromUtf8("\xF0\x8D\xBF\xBF"), std::u16string{0xDFFF});
    EXPECT_EQ(FromUtf8("\xED\xA0\x80\xED\xB0\x80"), (std::u16string{0xD800, 0xDC00}));
}

TEST(TextFunctions, ToAnsi_UnpairedSurrogates_BecomeReplacementCharacter) {
    EXPECT_EQ(ToAnsi(Units{u'a', 0xD800}), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToAnsi(Units{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ToAnsi(Units{0xDBFF, 0xDBFF, 0xDFFF, u'z'}), "\xEF\xBF\xBD\xF4\x8F\xBF\xBF"
                                                           "z");
}

TEST(TextFunctions, EscapeHtml_MarkupCharacters_BecomeEntities) {
    EXPECT_EQ(EscapeHtml(u"<a href=\"x\">Tom & Jerry</a>"),
              u"&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&lt;/a&gt;");
    EXPECT_EQ(EscapeHtml(u"plain text"), u"plain text");
}

TEST(TextFunctions, EscapeHtml_LineFeedsBecomeBreaks_CarriageReturnsGo) {
    EXPECT_EQ(EscapeHtml(u"a\r\nb"), u"a<br/>b");
    EXPECT_EQ(EscapeHtml(u"\ra\rb\n\n"), u"ab<br/><br/>");
}

TEST(TextFunctions, EscapeHtml_TypedEntity_IsEscapedAgain) {
    EXPECT_EQ(EscapeHtml(u"&lt;"), u"&amp;lt;");
    EXPECT_EQ(EscapeHtml(u"<br/>"), u"&lt;br/&gt;");
    EXPECT_EQ(EscapeHtml(EscapeHtml(u"\"\n")), u"&amp;quot;&lt;br/&gt;");
}

TEST(TextFunctions, UnescapeHtml_BreaksAndEntities_AreTurnedBack) {
    EXPECT_EQ(UnescapeHtml(u"a<br/>b&gt;&lt;&quot;&amp;c"), u"a\nb><\"&c");
}

TEST(TextFunctions, UnescapeHtml_DoubleEscapedText_IsTurnedBackOnlyOnce) {
    EXPECT_EQ(UnescapeHtml(u"&amp;lt;"), u"&lt;");
    EXPECT_EQ(UnescapeHtml(u"&amp;amp;"), u"&amp;");
    EXPECT_EQ(UnescapeHtml(u"&lt;br/>"), u"<br/>");
    EXPECT_EQ(UnescapeHtml(u"&lt;br/&gt;"), u"<br/>");
    EXPECT_EQ(UnescapeHtml(u"<br/&gt;"), u"<br/>");
}

TEST(TextFunctions, UnescapeHtml_OtherEntitiesAndBrokenOnes_AreKept) {
    const std::u16string kept = u"&nbsp;&#39;&GT;&lt <br>< br/><BR/>&&;<";
    EXPECT_EQ(UnescapeHtml(kept), kept);
}

TEST(TextFunctions, EscapeThenUnescape_GivesTextWithoutCarriageReturns) {
    EXPECT_EQ(UnescapeHtml(EscapeHtml(u"&lt;b>\"Ёж\"\r\n<br/>&amp;\r")), u"&lt;b>\"Ёж\"\n<br/>&amp;");
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
