// The host's command shell, driven through streams: the city, its companies, the search tab,
// the main window, mistakes, and the accounting that ends every run; and the zelt-host
// command's refusals.
#include "host/shell/HostShell.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/PluginHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace ZeltCore;
using namespace hosttest;

namespace {
const std::string kCafe = "11\t1001\tCafé Lumière\n";

// What the shell wrote for the commands; its result must be `status`.
std::string RunShell(host::ZeltHost& zelt, const std::string& commands, bool prompt = false, int status = 0) {
    std::istringstream in(commands);
    std::ostringstream out;
    EXPECT_EQ(host::HostShell(zelt, out).Run(in, prompt), status);
    return out.str();
}

using Shell = HostTest;
} // namespace

TEST_F(Shell, CityAndCompanies_GiveTheCityAndItsFirstNCompaniesInIdOrderAndMistakesAnErrorLine) {
    EXPECT_EQ(RunShell(zelt, "city\ncompanies 2\ncompanies 0\nfrobnicate\ncompanies x\ncompanies -1\n"
                             "companies 1 2\ncity now\n\n   \ncompanies\n"),
              "name: Testford\nfile: " + std::filesystem::absolute(TestfordPath()).string() + "\n" + kCafe +
                  "12\t-1002\tMill Street Dental\n" // companies 2; companies 0 gives none
                  "error: unknown command \"frobnicate\"; \"help\" lists the commands\n"
                  "error: companies takes a number of companies, not \"x\"\n"
                  "error: companies takes a number of companies, not \"-1\"\n"
                  "error: usage: companies [N]\n"
                  "error: usage: city\n" +
                  kCafe + // blank lines are no commands
                  "12\t-1002\tMill Street Dental\n13\t11\tTestford Taxis\n"
                  "14\t-2147483648\tEdge Case Ltd\n15\t1005\tGhost Lane Storage\n" + // all five of them
                  kCleanAccounting);
}

TEST(DemoCityShell, Companies_WithoutACountGivesTwenty) {
    host::ZeltHost riverton({"", 0, host::ZeltHost::DemoCityPath()});
    const std::string out = RunShell(riverton, "companies\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 20 + 1) << out;
    EXPECT_TRUE(out.starts_with("1\t")) << out;
}

TEST_F(Shell, SearchTab_ShowsEveryGroupWithWhatItWasGiven) {
    EXPECT_EQ(RunShell(zelt, "search-tab\n"), "search tab: no groups\n" + kCleanAccounting);
    ASSERT_EQ(Furnish(CreateGroup(zelt, u"VeskNotes.SearchByNode"), ImageOf(zelt, 32, 32).get(),
                      ImageOf(zelt, 48, 48).get(), zsys::Make<FakePluginObject>()->Unknown(),
                      zsys::Make<FakePluginObject>()->Unknown()),
              std::vector<HRESULT>(7, S_OK));
    EXPECT_EQ(
        RunShell(zelt, "search-tab\n"),
        "search tab: 1 group\n"
        "group 1: VeskNotes.SearchByNode\n"
        "  kind: 3\n  placement: \"100SearchGroup\"\n  caption: \"Notes\"\n"
        "  description: \"Find \\\"noted\\\" companies\\nby text.\"\n"
        "  clear texts: \"Clear \" / \"Clear\"\n  prompt texts: \"\" / \"Prompt\"\n  result texts: none\n"
        "  icon: 32x32 image\n  image: 48x48 image\n  button 1\n  control 1\n" +
            kCleanAccounting)
        << "and the end of the input let go of the group and the plug-in's objects";
}

TEST_F(Shell, QuitAndTheEndOfInput_StopAndAccountFailingWhileAHostReferenceIsHeld) {
    EXPECT_EQ(RunShell(zelt, "quit\ncity\n"), kCleanAccounting);
    EXPECT_EQ(RunShell(zelt, ""), kCleanAccounting);
    EXPECT_EQ(RunShell(zelt, "quit\n", true), "> " + kCleanAccounting);
    EXPECT_EQ(RunShell(zelt, "", true), "> \n" + kCleanAccounting)
        << "the accounting starts on a line of its own";

    zsys::ComPtr<IHostFrame> kept;
    ASSERT_EQ(zelt.View().Frame(kept.put()), S_OK);
    EXPECT_EQ(RunShell(zelt, "quit\n", false, 1),
              "stopped; plug-in objects alive: 0, host references held by the plug-in: 1\n");
}

// The host's main window with the plug-in running: a registered window, active once the
// plug-in starts, that `frame` prints and moves and `pointer` points into.
TEST(ShellDesktop, MainWindowIsARegisteredWindowActiveOnceThePluginStartsAndFrameMovesIt) {
    const long windows = zsys::LiveWindowCount();
    {
        host::ZeltHost zelt({VESK_PLUGIN_PATH, 1033, TestfordPath(), TempPath("appdata.frame")});
        HWND window = nullptr;
        ASSERT_EQ(zelt.View().MainFrame().Window(&window), S_OK);
        EXPECT_EQ(zsys::ClassName(window), u"ZeltMainFrame");
        zsys::SetActiveWindow(nullptr);
        zelt.Load();
        ASSERT_EQ(zelt.Start(), S_OK);
        EXPECT_EQ(zsys::ActiveWindow(), window);
        EXPECT_EQ(RunShell(zelt, "frame\nframe 10 20 1290 830\npointer 400 -5\nframe 5 5 1\nframe 9 9 1 1\n"
                                 "pointer 1\npointer a b\nframe\n"),
                  "window 0 0 1280 800\nwindow 10 20 1290 830\n"
                  "error: usage: frame [L T R B]\nerror: usage: frame [L T R B]\n"
                  "error: usage: pointer X Y\nerror: usage: pointer X Y\n"
                  "window 10 20 1290 830\n" +
                      kCleanAccounting);
    }
    EXPECT_EQ(zsys::LiveWindowCount(), windows) << "the main window goes with the host";
}

TEST(HostCommand, RefusesAnUnknownCommandWordAndAMissingCity) {
    int code = -1;
    RunZeltHost("--appdata " + TempPath("appdata.usage") + " start", "", &code);
    EXPECT_EQ(code, 2);
    const std::string out = RunZeltHost("--city /nonexistent/Data_X.dat info", "", &code);
    EXPECT_NE(code, 0);
    EXPECT_NE(out.find("Data_X.dat"), std::string::npos) << out;
}
