// The notes controller's part in the search, in one process with the reference host: the shown
// result run again after notes changed.
#include "host/objects/HostFrame.h"
#include "host/objects/HostSearchView.h"
#include "tests/plugin/ControllerFixture.h"

namespace {
class SearchController : public ControllerFixture {
protected:
    SearchController() { Start(); }
    host::HostSearchView& Results() { return zelt_.View().MainFrame().Results(); }
};
} // namespace

TEST_F(SearchController, TheShownResultIsRunAgainWithItsCriteriaAndTexts) {
    zelt_.Faults().Watch("IHostSearchView.ShowResults");
    controller_->RefreshResultPage();
    EXPECT_EQ(zelt_.Faults().Calls("IHostSearchView.ShowResults"), 0u)
        << "before any search nothing is run again";

    Note(kCafe, {7});
    ASSERT_TRUE(controller_->ShowCategoryCompanies(u"MYUNIQUETAG7"));
    const std::u16string title = Results().Title(), description = Results().Description();

    Note(kTaxis, {7});
    controller_->Notes().Erase(kCafe);
    controller_->RefreshResultPage();
    EXPECT_EQ(Results().Found(), std::vector<std::int32_t>{kTaxis});
    EXPECT_EQ(Results().Title(), title);
    EXPECT_EQ(Results().Description(), description);

    // A failing host call on the way leaves by a COM error.
    zelt_.Faults().Fail("IHostSearchView.CurrentDescription", E_UNEXPECTED);
    EXPECT_THROW(controller_->RefreshResultPage(), zsys::ComError);
}
