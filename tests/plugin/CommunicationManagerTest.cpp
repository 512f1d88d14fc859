// The controller in the same process as the reference host's objects. That notes changed while
// it runs reach the file and come back at the next start is seen through the host's shell.
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "tests/plugin/ControllerFixture.h"

#include <cstdlib>

TEST(Controller, SearchGroupTextsStayInTheLanguageOfTheFirstController) {
    // The texts are made once for the life of the module: a fresh process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool italian = false;
            {
                const testsupport::TempFolder appData("controller");
                host::ZeltHost zelt({"", 0, "", appData.Path().string()});
                const zsys::ComPtr<ZeltCore::IHostView> view(&zelt.View());
                const auto start = [&](LANGID language) {
                    SetThreadUILanguage(language);
                    return std::make_unique<CommunicationManager>(
                        view, std::make_shared<LangLocal>(TheModule().Instance()));
                };
                start(1040).reset();
                zelt.View().MainFrame().SearchTab().ReleaseGroups();
                auto english = start(1033);
                const auto& groups = zelt.View().MainFrame().SearchTab().Groups();
                italian = groups.size() == 1 && groups[0]->Caption() == u"Note";
            }
            std::exit(italian ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
