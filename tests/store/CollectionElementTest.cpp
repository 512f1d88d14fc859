// How one note reads itself from a `Note` element. How it writes itself is tested through the notes
// file, when two notes are equal through the import's conflict question, and its text and categories
// through the cards and the note dialog.
#include "store/CollectionElement.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
// The note read from a `Note` element of the given children, over a note that had id 99 and text "old".
CollectionElement Read(const std::string& children) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(("<Note>" + children + "</Note>").c_str()));
    CollectionElement note;
    note.SetId(99);
    note.SetText(u"old");
    note.Load(document.child("Note"));
    return note;
}
} // namespace

TEST(CollectionElement, LoadTakesTheFirstOfEachPartAndLeavesWhatIsMissing) {
    const struct {
        const char* children;
        std::int32_t id;
        std::u16string text;
        std::vector<std::int32_t> categories;
    } cases[] = {
        {"<id/><comment><text></text></comment><marker/>", 99, u"old", {}},
        {"<id> 12</id><comment/>", 12, u"old", {}},
        {"<id>5</id><id>6</id><comment><text>first</text></comment><comment><text>second</text></comment>",
         5,
         u"first",
         {}},
        {"<marker><other>4</other><color>2</color><color>2</color><shade>5</shade><color/></marker>",
         99,
         u"old",
         {2, 5}},
        {"<comment><text><![CDATA[a]]]]><![CDATA[>b]]>tail</text></comment>", 99, u"a]]>btail", {}},
        {"<comment><text>\xC3</text></comment>", 99, u"", {}}, // not UTF-8
    };
    for (const auto& c : cases) {
        const CollectionElement note = Read(c.children);
        EXPECT_EQ(note.Id(), c.id) << c.children;
        EXPECT_EQ(note.Text(), c.text) << c.children;
        EXPECT_EQ(note.CategoryList(), c.categories) << c.children;
    }
}

// A plus sign, letters after the digits and no digits at all are read through the notes file.
TEST(CollectionElement, NumbersReadLikeSignedDecimalsAndSaturate) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(),
                           kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"42", 42},
        {" \t-17", -17},
        {"", 0},
        {"0x10", 0},
        {"- 5", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"9999999999999999999999", kMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(std::string("<id><![CDATA[") + c.text + "]]></id>").Id(), c.value) << c.text;
}
