// The notes controller's part in the search, in one process with the reference host: the
// category combo refilled after a rename and the shown result run again after notes changed.
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "host/CityDatabase.h"
#include "host/HostComboBox.h"
#include "host/HostFrame.h"
#include "host/HostSearchCriteria.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/HostSearchView.h"
#include "host/TabSearch.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "plugin/CommunicationManager.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
namespace fs = std::filesystem;

class SearchController : public testing::Test {
protected:
    SearchController() {
        char pattern[] = "/tmp/search_controller.XXXXXX";
        appData_ = mkdtemp(pattern);
        host_ = std::make_unique<host::ZeltHost>(host::ZeltHost::Options{"", 0, "", appData_.string()});
        SetThreadUILanguage(1033);
        controller_ =
            std::make_unique<CommunicationManager>(zsys::ComPtr<ZeltCore::IHostView>(&host_->View()),
                                                   std::make_shared<LangLocal>(TheModule().Instance()));
    }
    ~SearchController() override {
        controller_.reset();
        host_->Stop();
        EXPECT_EQ(host_->ForeignHostReferences(), 0);
        host_.reset();
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
        fs::remove_all(appData_);
    }

    host::HostComboBox& Combo() {
        return *host::tab_search::ComboBoxes(host_->View().MainFrame().SearchTab()).at(0).get();
    }
    host::HostSearchView& Results() { return host_->View().MainFrame().Results(); }
    // Notes the demo city's company of that position (0 the first) with a category.
    std::int32_t Note(std::size_t position, std::int32_t category) {
        host::CityDatabase& city = host_->View().City();
        const std::int32_t id = city.FirstIds(host::CityDatabase::Type::Company, position + 1).at(position);
        CollectionElement note;
        note.SetId(city.Find(host::CityDatabase::Type::Company, id)->stableId);
        note.AddCategory(category);
        controller_->Notes().Set(id, note);
        return id;
    }

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> host_;
    std::unique_ptr<CommunicationManager> controller_;
};
} // namespace

TEST_F(SearchController, TheComboShowsRenamedCategoriesAtTheSameIndexes) {
    ASSERT_EQ(Combo().Items().at(4), u"blue");
    dynamic_cast<Categories&>(controller_->CategoryTable()).SetName(4, u"sky & sea");
    EXPECT_EQ(Combo().Items().at(4), u"blue") << "the combo is refilled only when told";
    controller_->RefreshCategoryControl();
    ASSERT_EQ(Combo().Items().size(), 18u);
    EXPECT_EQ(Combo().Items().at(4), u"sky & sea");
    EXPECT_EQ(Combo().Items().at(5), u"violet");

    // The renamed item still searches for its category.
    const std::int32_t noted = Note(0, 4);
    ASSERT_TRUE(Combo().Select(4));
    ASSERT_EQ(host::tab_search::Run(host_->View()), S_OK);
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{noted});
    EXPECT_NE(Results().Description().find(u"sky &amp; sea"), std::u16string::npos);
}

TEST_F(SearchController, TheShownResultIsRunAgainWithItsCriteriaAndTexts) {
    // Before any search nothing is run again: a run would meet the planted failure.
    host_->Faults().Fail("IHostSearchView.ShowResults", E_UNEXPECTED);
    controller_->RefreshResultPage();
    EXPECT_FALSE(Results().Shown());
    host_->Faults().Clear();

    const std::int32_t first = Note(0, 7);
    ASSERT_TRUE(controller_->ShowCategoryCompanies(u"MYUNIQUETAG7"));
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{first});
    const std::u16string title = Results().Title(), description = Results().Description();

    const std::int32_t second = Note(2, 7);
    controller_->Notes().Erase(first);
    controller_->RefreshResultPage();
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{second});
    EXPECT_EQ(Results().Title(), title);
    EXPECT_EQ(Results().Description(), description);

    // A failing host call on the way leaves by a COM error.
    host_->Faults().Fail("IHostSearchView.CurrentDescription", E_UNEXPECTED);
    EXPECT_THROW(controller_->RefreshResultPage(), zsys::ComError);
}
