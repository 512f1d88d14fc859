// The note commands as the controller runs them by name, in the same process as the
// reference host's objects: how a command name is read, and what a command does with
// no card to work on.
#include "tests/plugin/ControllerFixture.h"

#include <climits>
#include <optional>

namespace {
class NoteCommands : public ControllerFixture {
protected:
    NoteCommands() { Start(); }
    // The categories of the Café's note; none when it has no note.
    std::optional<std::vector<std::int32_t>> Categories() const {
        if (!controller_->Notes().Contains(kCafe)) return std::nullopt;
        return controller_->Notes().Get(kCafe).CategoryList();
    }
};
} // namespace

TEST_F(NoteCommands, WithNoCardShownYet_FailAndChangeNothing) {
    for (const char16_t* name : {u"addCategory1", u"addNode", u"deleteNode", u"deleteCategory", u"nothing"}) {
        EXPECT_THROW(controller_->OnButtonClick(name), zsys::ComError);
        EXPECT_FALSE(controller_->HasNotes());
    }
}

// The one test of how a number after a name is read; the map's blocks and the marks share the reading.
TEST_F(NoteCommands, CategoryToggle_ReadsItsNumberAsTheCLibraryDoesAndAnUnknownNameChangesNothing) {
    const struct {
        std::u16string name;
        std::int32_t category;
    } cases[] = {
        {u"addCategory5", 5},
        {u"addCategory", 0},
        {u"addCategory \t+7", 7},
        {u"addCategory-2", -2},
        {u"addCategory12abc", 12},
        {u"addCategory99999999999", INT32_MAX},
        {u"addCategory-99999999999", INT32_MIN},
        // The name may occur anywhere; the argument starts after as many characters as it
        // has, here in the middle of the name's letters.
        {u"xaddCategory5", 0},
        // "addCategory" is looked for first, whatever else the name holds.
        {u"deleteNodeaddCategory", 0},
    };
    const host::HostCard& card = zelt_.Cards().Open(kCafe);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        controller_->OnButtonClick(c.name);
        EXPECT_EQ(Categories(), std::vector<std::int32_t>{c.category});
        controller_->OnButtonClick(c.name);
        EXPECT_EQ(Categories(), std::nullopt) << "toggled off again, the empty note goes";
    }
    controller_->OnButtonClick(u"addCategory2");
    controller_->OnButtonClick(u"frobnicate");
    EXPECT_EQ(Categories(), std::vector<std::int32_t>{2});
    EXPECT_EQ(card.Builds(), 3 + 2 * int(std::size(cases))) << "every command rebuilds the card";
}
