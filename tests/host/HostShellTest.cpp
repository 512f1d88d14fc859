// The host's command shell, driven through streams and as the zelt-host command with
// piped input: the city, its companies, the search tab, mistakes, and the accounting
// that ends every run.
#include "host/shell/HostShell.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace ZeltCore;
using namespace hosttest;

namespace {
const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";
const std::string kCafe = "11\t1001\tCafé Lumière\n";

// A button or control of the plug-in, as far as the shell can tell.
class FakePluginObject : public zsys::ComObject<FakePluginObject, IUnknown> {
    ~FakePluginObject() override = default;
};

// What the shell wrote for the commands, and its result in `status`.
std::string RunShell(host::ZeltHost& zelt, const std::string& commands, int& status, bool prompt = false) {
    std::istringstream in(commands);
    std::ostringstream out;
    status = host::HostShell(zelt, out).Run(in, prompt);
    return out.str();
}

class Shell : public testing::Test {
protected:
    std::string Run(const std::string& commands, bool prompt = false) {
        return RunShell(zelt, commands, status, prompt);
    }

    host::ZeltHost zelt{{"", 0, TestfordPath()}};
    int status = -1;
};
} // namespace

TEST_F(Shell, CityAndCompanies_GiveTheCityAndItsFirstNCompaniesInIdOrder) {
    EXPECT_EQ(Run("city\ncompanies 2\ncompanies 0\ncompanies\n"),
              "name: Testford\nfile: " + std::filesystem::absolute(TestfordPath()).string() + "\n" + kCafe +
                  "12\t-1002\tMill Street Dental\n" + // companies 2; companies 0 gives none
                  kCafe +
                  "12\t-1002\tMill Street Dental\n13\t11\tTestford Taxis\n"
                  "14\t-2147483648\tEdge Case Ltd\n15\t1005\tGhost Lane Storage\n" + // all five of them
                  kCleanAccounting);
    EXPECT_EQ(status, 0);
}

TEST(DemoCityShell, Companies_WithoutACountGivesTwenty) {
    host::ZeltHost riverton({"", 0, host::ZeltHost::DemoCityPath()});
    int status = -1;
    const std::string out = RunShell(riverton, "companies\n", status);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 20 + 1) << out;
    EXPECT_TRUE(out.starts_with("1\t") && out.ends_with(kCleanAccounting)) << out;
}

TEST_F(Shell, Mistakes_GiveAnErrorLineAndTheShellGoesOn) {
    EXPECT_EQ(Run("frobnicate\ncompanies x\ncompanies -1\ncompanies 1 2\ncity now\n\n   \ncompanies 1\n"),
              "error: unknown command \"frobnicate\"; \"help\" lists the commands\n"
              "error: companies takes a number of companies, not \"x\"\n"
              "error: companies takes a number of companies, not \"-1\"\n"
              "error: usage: companies [N]\n"
              "error: usage: city\n" +
                  kCafe + kCleanAccounting);
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, SearchTab_ShowsEveryGroupWithWhatItWasGiven) {
    EXPECT_EQ(Run("search-tab\n"), "search tab: no groups\n" + kCleanAccounting);
    ASSERT_EQ(Furnish(CreateGroup(zelt, u"VeskNotes.SearchByNode"), ImageOf(zelt, 32, 32).get(),
                      ImageOf(zelt, 48, 48).get(), zsys::Make<FakePluginObject>().get(),
                      zsys::Make<FakePluginObject>().get()),
              std::vector<HRESULT>(7, S_OK));
    EXPECT_EQ(
        Run("search-tab\n"),
        "search tab: 1 group\n"
        "group 1: VeskNotes.SearchByNode\n"
        "  kind: 3\n  placement: \"100SearchGroup\"\n  caption: \"Notes\"\n"
        "  description: \"Find \\\"noted\\\" companies\\nby text.\"\n"
        "  clear texts: \"Clear \" / \"Clear\"\n  prompt texts: \"\" / \"Prompt\"\n  result texts: none\n"
        "  icon: 32x32 image\n  image: 48x48 image\n  button 1\n  control 1\n" +
            kCleanAccounting)
        << "and the end of the input let go of the group and the plug-in's objects";
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, QuitAndTheEndOfInput_StopAndAccountFailingWhileAHostReferenceIsHeld) {
    EXPECT_EQ(Run("quit\ncity\n"), kCleanAccounting);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run(""), kCleanAccounting);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run("quit\n", true), "> " + kCleanAccounting);
    EXPECT_EQ(Run("", true), "> \n" + kCleanAccounting) << "the accounting starts on a line of its own";

    zsys::ComPtr<IHostFrame> kept;
    ASSERT_EQ(zelt.View().Frame(kept.put()), S_OK);
    EXPECT_EQ(Run("quit\n"), "stopped; plug-in objects alive: 0, host references held by the plug-in: 1\n");
    EXPECT_EQ(status, 1);
}

TEST(HostCommand, AnswersPipedCommandsShowsThePluginsGroupAndKeepsNotesInTheAppDataFolder) {
    const std::string appData = TempPath("appdata.piped");
    int code = -1;
    const std::string out = RunHost("--lang 1033 --city " + TestfordPath() + " --appdata " + appData,
                                    "city\ncompanies 1\nnonsense\nsearch-tab\n", &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("\nstarted: yes\nname: Testford\nfile: "), std::string::npos) << out;
    EXPECT_NE(out.find("\n" + kCafe + "error: unknown command \"nonsense\""), std::string::npos) << out;
    EXPECT_NE(out.find("group 1: VeskNotes.SearchByNode\n  kind: 3\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("> "), std::string::npos) << "no prompt when the input is not a terminal";
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
    EXPECT_TRUE(std::filesystem::is_regular_file(appData + "/Zelt/DirNotes/Data_Testford.xml"))
        << "the plug-in wrote the city's notes there when it stopped";
}

TEST(HostCommand, RefusesAnUnknownCommandWordAndAMissingCity) {
    int code = -1;
    RunHost("--appdata " + TempPath("appdata.usage") + " start", "", &code);
    EXPECT_EQ(code, 2);
    const std::string out = RunHost("--city /nonexistent/Data_X.dat info", "", &code);
    EXPECT_NE(code, 0);
    EXPECT_NE(out.find("Data_X.dat"), std::string::npos) << out;
}
