// The controller in the same process as the reference host's objects, where a test
// can change notes between start and end as the card commands will.
#include "host/CityDatabase.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "plugin/CommunicationManager.h"
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

class Controller : public ::testing::Test {
protected:
    Controller() {
        char pattern[] = "/tmp/controller.XXXXXX";
        appData_ = mkdtemp(pattern);
        host_ = std::make_unique<host::ZeltHost>(host::ZeltHost::Options{"", 0, "", appData_.string()});
        view_ = zsys::ComPtr<ZeltCore::IHostView>(&host_->View());
    }
    ~Controller() override {
        view_ = nullptr;
        host_.reset();
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
        fs::remove_all(appData_);
    }
    std::unique_ptr<CommunicationManager> Start(LANGID language) {
        SetThreadUILanguage(language);
        return std::make_unique<CommunicationManager>(view_, std::make_shared<LangLocal>(TheModule().Instance()));
    }
    // The demo city's first company: its id and stable id.
    static std::pair<std::int32_t, std::int32_t> FirstCompany() {
        host::CityDatabase city(host::ZeltHost::DemoCityPath());
        const std::int32_t id = city.FirstIds(host::CityDatabase::Type::Company, 1).at(0);
        return {id, city.Find(host::CityDatabase::Type::Company, id)->stableId};
    }

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> host_;
    zsys::ComPtr<ZeltCore::IHostView> view_;
};
} // namespace

TEST_F(Controller, NotesChangedWhileRunningReachTheFileAndComeBackAtTheNextStart) {
    const auto [key, stableId] = FirstCompany();
    {
        auto controller = Start(1033);
        EXPECT_FALSE(controller->HasNotes());
        CollectionElement note;
        note.SetId(stableId);
        note.SetText(u"call back on Monday\n«договор»");
        note.AddCategory(4);
        controller->Notes().Set(key, note);
        EXPECT_TRUE(controller->HasNotes());
        EXPECT_EQ(controller->CityName(), u"Riverton");
    }
    EXPECT_TRUE(fs::exists(appData_ / "Zelt" / "DirNotes" / "Data_Riverton.xml"));
    auto controller = Start(1033);
    ASSERT_TRUE(controller->Notes().Contains(key));
    const CollectionElement back = controller->Notes().Get(key);
    EXPECT_EQ(back.Text(), u"call back on Monday\n«договор»");
    EXPECT_EQ(back.CategoryList(), std::vector<std::int32_t>{4});
    EXPECT_EQ(back.Id(), stableId);
}

TEST_F(Controller, SearchGroupTextsStayInTheLanguageOfTheFirstController) {
    // The texts are made once for the life of the module: a fresh process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Start(1040).reset();
            host_->View().MainFrame().SearchTab().ReleaseGroups();
            auto english = Start(1033);
            const auto& groups = host_->View().MainFrame().SearchTab().Groups();
            const bool italian = groups.size() == 1 && groups[0]->Caption() == u"Note";
            english.reset();
            std::exit(italian ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
