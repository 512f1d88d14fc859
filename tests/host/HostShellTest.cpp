// The host's command shell, driven through streams and as the zelt-host command with
// piped input: the city, its companies, the search tab, mistakes, and the accounting
// that ends every run.
#include "host/HostShell.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

using zsys::Bstr;
using zsys::ComPtr;
using namespace ZeltCore;

namespace {
const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

// A button or control of the plug-in, as far as the shell can tell.
class FakePluginObject : public zsys::ComObject<FakePluginObject, IUnknown> {
private:
    ~FakePluginObject() override = default;
};

class Shell : public testing::Test {
protected:
    // Runs the commands over the host; what the shell wrote.
    std::string Run(const std::string& commands, bool prompt = false) {
        std::istringstream in(commands);
        std::ostringstream out;
        status = host::HostShell(zelt, out).Run(in, prompt);
        return out.str();
    }

    ComPtr<IUnknown> CreateGroup(LONG kind, std::u16string_view id, BSTR placement = nullptr,
                                 BSTR caption = nullptr) {
        ComPtr<IHostFrame> frame;
        EXPECT_EQ(zelt.View().Frame(frame.put()), S_OK);
        ComPtr<IHostTabs> tabs;
        EXPECT_EQ(frame->Tabs(tabs.put()), S_OK);
        ComPtr<IUnknown> tab, group;
        EXPECT_EQ(tabs->Tab(Bstr(u"Zelt.SearchTab").get(), tab.put()), S_OK);
        EXPECT_EQ(
            tab.as<IHostSearchTab>()->CreateGroup(kind, Bstr(id).get(), placement, caption, group.put()),
            S_OK);
        return group;
    }
    ComPtr<IUnknown> Image(int width, int height) {
        ComPtr<IHostFactory> factory;
        EXPECT_EQ(zelt.View().Factory(factory.put()), S_OK);
        zsys::SafeArray png(zsys::MakeByteArray(hosttest::MakePng(width, height)));
        ComPtr<IUnknown> image;
        EXPECT_EQ(factory->CreateImageFromPng(png.get(), image.put()), S_OK);
        return image;
    }

    host::ZeltHost zelt{{"", 0, hosttest::TestCityPath()}};
    int status = -1;
};

int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string HostCommand(const std::string& appData, const std::string& arguments = "") {
    return std::string(VESK_HOST_PATH) + " --lang 1033 --city " + hosttest::TestCityPath() + " --appdata " +
           appData + " " + arguments;
}
} // namespace

TEST_F(Shell, City_GivesItsNameAndDataFile) {
    const std::string out = Run("city\n");
    EXPECT_EQ(out, "name: Testford\nfile: " + std::filesystem::absolute(hosttest::TestCityPath()).string() +
                       "\n" + kCleanAccounting);
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, Companies_ListsTheFirstNInIdOrder) {
    EXPECT_EQ(Run("companies 2\n"),
              "11\t1001\tCafé Lumière\n12\t-1002\tMill Street Dental\n" + kCleanAccounting);
    EXPECT_EQ(Run("companies 0\n"), kCleanAccounting);
    EXPECT_EQ(Run("companies\n"), "11\t1001\tCafé Lumière\n"
                                  "12\t-1002\tMill Street Dental\n"
                                  "13\t11\tTestford Taxis\n"
                                  "14\t-2147483648\tEdge Case Ltd\n"
                                  "15\t1005\tGhost Lane Storage\n" +
                                      kCleanAccounting)
        << "a city of fewer companies than asked for gives them all";
}

// Not in the fixture: the accounting counts every host object of the process.
TEST(DemoCityShell, Companies_WithoutACountGivesTwenty) {
    host::ZeltHost riverton({"", 0, host::ZeltHost::DemoCityPath()});
    std::istringstream in("companies\n");
    std::ostringstream out;
    EXPECT_EQ(host::HostShell(riverton, out).Run(in, false), 0);
    std::istringstream lines(out.str());
    std::string line;
    long previous = 0;
    int count = 0;
    while (std::getline(lines, line) && line.rfind("stopped;", 0) != 0) {
        const long id = std::stol(line.substr(0, line.find('\t')));
        EXPECT_GT(id, previous) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
        previous = id;
        ++count;
    }
    EXPECT_EQ(count, 20);
}

TEST_F(Shell, Mistakes_GiveAnErrorLineAndTheShellGoesOn) {
    const std::string out =
        Run("frobnicate\ncompanies x\ncompanies -1\ncompanies 1 2\ncity now\n\n   \ncompanies 1\n");
    EXPECT_EQ(out, "error: unknown command \"frobnicate\"; \"help\" lists the commands\n"
                   "error: companies takes a number of companies, not \"x\"\n"
                   "error: companies takes a number of companies, not \"-1\"\n"
                   "error: usage: companies [N]\n"
                   "error: usage: city\n"
                   "11\t1001\tCafé Lumière\n" +
                       kCleanAccounting);
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, Help_ListsEveryCommand) {
    const std::string out = "\n" + Run("help\n");
    for (const char* command : {"help", "city", "companies [N]", "search-tab", "quit"})
        EXPECT_NE(out.find(std::string("\n") + command + " "), std::string::npos) << command << " in\n"
                                                                                  << out;
}

TEST_F(Shell, SearchTab_SaysWhenItHasNoGroups) {
    EXPECT_EQ(Run("search-tab\n"), "search tab: no groups\n" + kCleanAccounting);
}

TEST_F(Shell, SearchTab_ShowsEveryGroupWithWhatItWasGiven) {
    {
        const auto group =
            CreateGroup(3, u"VeskNotes.SearchByNode", Bstr(u"100SearchGroup").get(), Bstr(u"Notes").get());
        const auto appearance = group.as<IHostSearchGroupAppearance>();
        ASSERT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(Image(32, 32).get()), S_OK);
        ASSERT_EQ(appearance->SetImage(Image(48, 48).get()), S_OK);
        ASSERT_EQ(appearance->SetDescription(Bstr(u"Find \"noted\" companies\nby text.").get()), S_OK);
        ASSERT_EQ(appearance->SetClearTexts(Bstr(u"Clear ").get(), Bstr(u"Clear").get()), S_OK);
        ASSERT_EQ(
            appearance->SetResultTexts(Bstr(u"Note search.").get(), Bstr(u"You were looking for:").get()),
            S_OK);
        ASSERT_EQ(group.as<IHostSearchGroupButtons>()->AddButton(zsys::Make<FakePluginObject>().get()), S_OK);
        ASSERT_EQ(group.as<IHostSearchGroup>()->AddControl(zsys::Make<FakePluginObject>().get()), S_OK);
        ASSERT_EQ(group.as<IHostSearchGroup>()->AddControl(zsys::Make<FakePluginObject>().get()), S_OK);
        CreateGroup(1, u"Other.Group");
    }
    EXPECT_EQ(Run("search-tab\n"), "search tab: 2 groups\n"
                                   "group 1: VeskNotes.SearchByNode\n"
                                   "  kind: 3\n"
                                   "  placement: \"100SearchGroup\"\n"
                                   "  caption: \"Notes\"\n"
                                   "  description: \"Find \\\"noted\\\" companies\\nby text.\"\n"
                                   "  clear texts: \"Clear \" / \"Clear\"\n"
                                   "  prompt texts: none\n"
                                   "  result texts: \"Note search.\" / \"You were looking for:\"\n"
                                   "  icon: 32x32 image\n"
                                   "  image: 48x48 image\n"
                                   "  button 1\n"
                                   "  control 1\n"
                                   "  control 2\n"
                                   "group 2: Other.Group\n"
                                   "  kind: 1\n"
                                   "  placement: \"\"\n"
                                   "  caption: \"\"\n"
                                   "  description: \"\"\n"
                                   "  clear texts: none\n"
                                   "  prompt texts: none\n"
                                   "  result texts: none\n"
                                   "  icon: none\n"
                                   "  image: none\n"
                                   "  buttons: none\n"
                                   "  controls: none\n" +
                                       kCleanAccounting)
        << "and the end of the input let go of the groups and the plug-in's objects";
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, Quit_StopsReadingAndAccounts) {
    EXPECT_EQ(Run("quit\ncity\n"), kCleanAccounting);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run(""), kCleanAccounting) << "the end of the input quits as well";
    EXPECT_EQ(status, 0);
}

TEST_F(Shell, Accounting_AHostReferenceStillHeldFailsTheRun) {
    ComPtr<IHostFrame> kept;
    ASSERT_EQ(zelt.View().Frame(kept.put()), S_OK);
    EXPECT_EQ(Run("quit\n"), "stopped; plug-in objects alive: 0, host references held by the plug-in: 1\n");
    EXPECT_EQ(status, 1);
}

TEST_F(Shell, Prompt_IsWrittenBeforeEveryCommandOnlyWhenAskedFor) {
    EXPECT_EQ(Run("city\n", true).substr(0, 8), "> name: ");
    EXPECT_EQ(Run("quit\n", true), "> " + kCleanAccounting);
    EXPECT_EQ(Run("", true), "> \n" + kCleanAccounting) << "the accounting starts on a line of its own";
    EXPECT_EQ(Run("", false), kCleanAccounting);
}

TEST(HostCommand, AnswersCommandsPipedToIt) {
    int status = -1;
    const std::string out = hosttest::RunWithInput(HostCommand(hosttest::TempPath("appdata.piped")),
                                                   "city\ncompanies 1\nnonsense\n", &status);
    EXPECT_EQ(ExitCode(status), 0) << out;
    EXPECT_NE(out.find("started: yes\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nname: Testford\nfile: "), std::string::npos) << out;
    EXPECT_NE(out.find("\n11\t1001\tCafé Lumière\n"), std::string::npos) << out;
    EXPECT_NE(out.find("error: unknown command \"nonsense\""), std::string::npos) << out;
    EXPECT_EQ(out.find("> "), std::string::npos) << "no prompt when the input is not a terminal";
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
}

TEST(HostCommand, ShowsThePluginsSearchGroup) {
    int status = -1;
    const std::string out = hosttest::RunWithInput(HostCommand(hosttest::TempPath("appdata.group")),
                                                   "search-tab\nquit\n", &status);
    EXPECT_EQ(ExitCode(status), 0) << out;
    EXPECT_NE(
        out.find("group 1: VeskNotes.SearchByNode\n  kind: 3\n  placement: \"100SearchGroup\"\n  caption: "
                 "\"Notes\"\n"),
        std::string::npos)
        << out;
    EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
}

TEST(HostCommand, KeepsTheNotesInTheChosenAppDataFolder) {
    const std::string appData = hosttest::TempPath("appdata.notes");
    int status = -1;
    const std::string out = hosttest::RunWithInput(HostCommand(appData), "quit\n", &status);
    EXPECT_EQ(ExitCode(status), 0) << out;
    EXPECT_TRUE(std::filesystem::is_regular_file(appData + "/Zelt/DirNotes/Data_Testford.xml"))
        << "the plug-in wrote the city's notes there when it stopped";
}

TEST(HostCommand, RefusesAnUnknownCommandWord) {
    int status = -1;
    hosttest::RunCommand(HostCommand(hosttest::TempPath("appdata.usage"), "start"), &status);
    EXPECT_EQ(ExitCode(status), 2);
}

TEST(HostAppData, TheHostSetsTheFolderForTheProcessOnlyWhenGivenOne) {
    const std::string before = zsys::AppDataFolder();
    { host::ZeltHost zelt({"", 0, hosttest::TestCityPath()}); }
    EXPECT_EQ(zsys::AppDataFolder(), before);
    {
        host::ZeltHost::Options options{"", 0, hosttest::TestCityPath()};
        options.appDataPath = hosttest::TempPath("appdata.process");
        host::ZeltHost zelt(options);
        EXPECT_EQ(zsys::AppDataFolder(), options.appDataPath);
    }
    zsys::SetAppDataFolder("");
    EXPECT_EQ(zsys::AppDataFolder(), before);
}
