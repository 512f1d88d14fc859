// One note: its text and categories, equality, and how it reads itself from a `Note` element. How it
// writes itself is tested through the notes file.
#include "store/CollectionElement.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

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

TEST(CollectionElement, TextLosesTrailingBlanksOnlyAndCategoriesAreDistinctInOrder) {
    CollectionElement note;
    note.SetText(u"  note\r\n\t ");
    EXPECT_EQ(note.Text(), u"  note");
    note.SetText(u"a\n\nb \r\n\t");
    EXPECT_EQ(note.Text(), u"a\n\nb") << "inner line breaks stay";
    note.SetText(u" \r\n\t");
    EXPECT_TRUE(note.IsEmpty());

    for (int category : {3, 18, 3, -1, 7})
        note.AddCategory(category);
    EXPECT_EQ(note.CategoryList(), (std::vector<std::int32_t>{3, 18, -1, 7}));
    note.RemoveCategory(5);
    EXPECT_EQ(note.RemoveCategoriesOutside(0, 17), 2u);
    EXPECT_EQ(note.CategoryList(), (std::vector<std::int32_t>{3, 7}));
    note.RemoveCategory(3);
    EXPECT_FALSE(note.ContainsCategory(3));
    EXPECT_TRUE(note.ContainsCategory(7));
    EXPECT_FALSE(note.IsEmpty());
}

TEST(CollectionElement, EqualNotesHaveTheSameTextAndCategorySetWhateverTheirIds) {
    CollectionElement a, b;
    a.SetText(u"x"), b.SetText(u"x");
    a.AddCategory(2), a.AddCategory(5);
    b.AddCategory(5), b.AddCategory(2);
    a.SetId(1), b.SetId(2);
    EXPECT_TRUE(a == b);
    b.AddCategory(6);
    EXPECT_FALSE(a == b);
    a.AddCategory(7);
    EXPECT_FALSE(a == b) << "same size, different sets";
    b = a;
    b.SetText(u"X");
    EXPECT_FALSE(a == b);
}

TEST(CollectionElement, LoadTakesTheFirstOfEachPartAndLeavesWhatIsMissing) {
    const struct {
        const char* children;
        std::int32_t id;
        std::u16string text;
        std::vector<std::int32_t> categories;
    } cases[] = {
        {"<id/><comment><text></text></comment><marker/>", 99, u"old", {}},
        {"<id> 12</id><comment/>", 12, u"old", {}},
        {"<id>5</id><id>6</id><comment><text>first</text></comment><comment><text>second</text></comment>", 5,
         u"first", {}},
        {"<marker><other>4</other><color>2</color><color>2</color><shade>5</shade><color/></marker>", 99, u"old",
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

TEST(CollectionElement, NumbersReadLikeSignedDecimalsAndSaturate) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"42", 42},          {" \t-17", -17},       {"+8", 8},           {"12abc", 12},
        {"abc", 0},          {"", 0},               {"0x10", 0},         {"2147483647", kMax},
        {"2147483648", kMax}, {"99999999999999999999999", kMax}, {"-2147483648", kMin},
        {"-2147483649", kMin}, {"- 5", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(std::string("<id><![CDATA[") + c.text + "]]></id>").Id(), c.value) << c.text;
}
