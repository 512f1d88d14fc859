#include "store/CollectionElement.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {
// A `Note` element parsed from its XML children.
struct NoteXml {
    explicit NoteXml(const char* children) {
        const std::string xml = std::string("<Note>") + children + "</Note>";
        EXPECT_TRUE(document.load_string(xml.c_str()));
    }
    CollectionElement Read(CollectionElement note = {}) const {
        note.Load(document.child("Note"));
        return note;
    }
    pugi::xml_document document;
};

std::string Saved(const CollectionElement& note) {
    pugi::xml_document document;
    note.Save(document.append_child("Note"));
    std::ostringstream out;
    document.child("Note").print(out, "", pugi::format_raw);
    return out.str();
}
} // namespace

TEST(CollectionElement_Text, TrailingBlanksGoAndLeadingOnesStay) {
    CollectionElement note;
    note.SetText(u"  note\r\n\t ");
    EXPECT_EQ(note.Text(), u"  note");
    note.SetText(u" \r\n\t");
    EXPECT_EQ(note.Text(), u"");
    EXPECT_TRUE(note.IsEmpty());
    note.SetText(u"a\n\nb");
    EXPECT_EQ(note.Text(), u"a\n\nb") << "inner line breaks stay";
}

TEST(CollectionElement_Categories, AreDistinctAndKeepTheirOrder) {
    CollectionElement note;
    for (int category : {3, 18, 3, -1, 7})
        note.AddCategory(category);
    EXPECT_EQ(note.CategoryList(), (std::vector<std::int32_t>{3, 18, -1, 7}));
    note.RemoveCategory(5);
    EXPECT_EQ(note.CategoryList().size(), 4u);
    EXPECT_EQ(note.RemoveCategoriesOutside(0, 17), 2u);
    EXPECT_EQ(note.CategoryList(), (std::vector<std::int32_t>{3, 7}));
    note.RemoveCategory(3);
    EXPECT_FALSE(note.ContainsCategory(3));
    EXPECT_TRUE(note.ContainsCategory(7));
    EXPECT_FALSE(note.IsEmpty());
}

TEST(CollectionElement_Equality, ComparesTextAndCategorySetButNotId) {
    CollectionElement a, b;
    a.SetText(u"x");
    b.SetText(u"x");
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

TEST(CollectionElement_Save, WritesCommentOnlyForTextAndMarkerOnlyForCategories) {
    CollectionElement note;
    note.SetId(-5);
    note.SetText(u"a<b");
    EXPECT_EQ(Saved(note), "<Note><id>-5</id><comment><text><![CDATA[a<b]]></text></comment></Note>");
    note.SetText(std::u16string(u"NUL\0 from a legacy file\0", 24));
    EXPECT_EQ(Saved(note),
              "<Note><id>-5</id><comment><text><![CDATA[NUL from a legacy file]]></text></comment></Note>")
        << "a NUL is left out and the text after it kept";
    note.SetText(u"");
    note.AddCategory(3), note.AddCategory(11);
    EXPECT_EQ(Saved(note), "<Note><id>-5</id><marker><color>3</color><color>11</color></marker></Note>");
}

TEST(CollectionElement_Load, MissingPartsLeaveTheNoteAsItWas) {
    CollectionElement before;
    before.SetId(7);
    before.SetText(u"kept");
    const CollectionElement read = NoteXml("<id/><comment><text></text></comment><marker/>").Read(before);
    EXPECT_EQ(read.Id(), 7);
    EXPECT_EQ(read.Text(), u"kept");
    EXPECT_TRUE(read.CategoryList().empty());
    EXPECT_EQ(NoteXml("<id> 12</id><comment/>").Read(before).Text(), u"kept");
}

TEST(CollectionElement_Load, ColorsAreEveryElementFromTheFirstColorOn) {
    const CollectionElement read =
        NoteXml("<marker><other>4</other><color>2</color><color>2</color><shade>5</shade><color/></marker>")
            .Read();
    EXPECT_EQ(read.CategoryList(), (std::vector<std::int32_t>{2, 5}));
}

TEST(CollectionElement_Load, NumbersReadLikeSignedDecimalsAndSaturate) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"42", 42},
        {" \t-17", -17},
        {"+8", 8},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"2147483648", std::numeric_limits<std::int32_t>::max()},
        {"99999999999999999999999", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"-2147483649", std::numeric_limits<std::int32_t>::min()},
        {"- 5", 0},
    };
    for (const auto& c : cases) {
        const std::string xml = std::string("<id><![CDATA[") + c.text + "]]></id>";
        CollectionElement before;
        before.SetId(99);
        EXPECT_EQ(NoteXml(xml.c_str()).Read(before).Id(), c.value) << c.text;
    }
}

TEST(CollectionElement_Load, TextSplitIntoSeveralSectionsIsJoined) {
    const CollectionElement read =
        NoteXml("<comment><text><![CDATA[a]]]]><![CDATA[>b]]>tail</text></comment>").Read();
    EXPECT_EQ(read.Text(), u"a]]>btail");
}

TEST(CollectionElement_Load, TextThatIsNotUtf8ReadsAsEmpty) {
    CollectionElement before;
    before.SetText(u"old");
    before.AddCategory(1);
    EXPECT_EQ(NoteXml("<comment><text>\xC3</text></comment>").Read(before).Text(), u"");
}
