// The note commands as the controller runs them by name, in the same process as the
// reference host's objects: how a command name is read, and what a command does with
// no card to work on.
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "host/HostCards.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "plugin/CommunicationManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

class NoteCommands : public ::testing::Test {
protected:
    NoteCommands() {
        char pattern[] = "/tmp/note_commands.XXXXXX";
        appData_ = mkdtemp(pattern);
        host_ = std::make_unique<host::ZeltHost>(host::ZeltHost::Options{"", 0, "", appData_.string()});
        SetThreadUILanguage(1033);
        controller_ =
            std::make_unique<CommunicationManager>(zsys::ComPtr<ZeltCore::IHostView>(&host_->View()),
                                                   std::make_shared<LangLocal>(TheModule().Instance()));
    }
    ~NoteCommands() override {
        host_->Cards().CloseAll();
        controller_.reset();
        host_.reset();
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
        fs::remove_all(appData_);
    }
    // The categories of the first company's note; none when it has no note.
    std::optional<std::vector<std::int32_t>> Categories() const {
        if (!controller_->Notes().Contains(kCompany)) return std::nullopt;
        return controller_->Notes().Get(kCompany).CategoryList();
    }

    static constexpr std::int32_t kCompany = 1;
    fs::path appData_;
    std::unique_ptr<host::ZeltHost> host_;
    std::unique_ptr<CommunicationManager> controller_;
};
} // namespace

TEST_F(NoteCommands, WithNoCardShownYet_FailAndChangeNothing) {
    for (const char16_t* name : {u"addCategory1", u"addNode", u"deleteNode", u"deleteCategory", u"nothing"}) {
        EXPECT_THROW(controller_->OnButtonClick(name), zsys::ComError);
        EXPECT_FALSE(controller_->HasNotes());
    }
}

TEST_F(NoteCommands, CategoryToggle_ReadsItsNumberAsTheCLibraryDoes) {
    struct Case {
        std::u16string name;
        std::int32_t category;
    };
    const Case cases[] = {
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
    const host::HostCard& card = host_->Cards().Open(kCompany);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        controller_->OnButtonClick(c.name);
        EXPECT_EQ(Categories(), std::vector<std::int32_t>{c.category});
        controller_->OnButtonClick(c.name);
        EXPECT_EQ(Categories(), std::nullopt) << "toggled off again, the empty note goes";
    }
    EXPECT_EQ(card.Builds(), 1 + 2 * int(std::size(cases))) << "every command rebuilds the card";
}

TEST_F(NoteCommands, UnknownName_ChangesNothingButRebuildsTheCard) {
    const host::HostCard& card = host_->Cards().Open(kCompany);
    controller_->OnButtonClick(u"addCategory2");
    controller_->OnButtonClick(u"frobnicate");
    EXPECT_EQ(Categories(), std::vector<std::int32_t>{2});
    EXPECT_EQ(card.Builds(), 3);
}
