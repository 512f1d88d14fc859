// Host failures where the cards meet the map, through the shell on Testford: reading a
// company's buildings as its card opens, finding the company of a toggled category, taking
// the blocks off the map as the plug-in stops. Each ends its step as the plug-in's rules
// say, and nothing of the plug-in is left after quit.
#include "host/shell/HostShell.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace hosttest;

namespace {
namespace fs = std::filesystem;

const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

class CardMapFaults : public testing::Test {
protected:
    CardMapFaults() {
        char pattern[] = "/tmp/card_map_faults.XXXXXX";
        appData_ = mkdtemp(pattern);
    }
    ~CardMapFaults() override {
        zelt_.reset();
        fs::remove_all(appData_);
    }

    fs::path NotesFile() const { return appData_ / "Zelt" / "DirNotes" / "Data_Testford.xml"; }

    // A fresh host with the plug-in started, the Café's note of category 3 in the notes file.
    void Start() {
        zelt_.reset();
        fs::create_directories(NotesFile().parent_path());
        std::ofstream(NotesFile()) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DirectoryNotes><MapName>"
                                      "Testford</MapName><Note><id>1001</id><comment><text>x</text></comment>"
                                      "<marker><color>3</color></marker></Note></DirectoryNotes>";
        zelt_ = std::make_unique<host::ZeltHost>(
            host::ZeltHost::Options{VESK_PLUGIN_PATH, 1033, TestfordPath(), appData_.string()});
        zelt_->Load();
        ASSERT_EQ(zelt_->Start(), S_OK);
    }

    std::string Run(const std::string& commands) {
        std::istringstream in(commands);
        std::ostringstream out;
        host::HostShell(*zelt_, out).Run(in, false);
        return out.str();
    }

    // The Café's categories in the notes file.
    std::vector<int> CafeCategories() const {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(NotesFile().c_str()));
        std::vector<int> categories;
        for (pugi::xml_node color :
             doc.child("DirectoryNotes").child("Note").child("marker").children("color"))
            categories.push_back(color.text().as_int());
        return categories;
    }

    fs::path appData_;
    std::unique_ptr<host::ZeltHost> zelt_;
};
} // namespace

TEST_F(CardMapFaults, EndTheirStepAsTheRulesSayAndLeaveNothingAfterQuit) {
    struct Case {
        const char* operation;
        bool yieldNothing;
        std::string script;
        std::vector<std::string> expected; // what the output must hold, in order
        std::vector<int> categories;       // the Café's afterwards
    };
    const std::string marked = "block NodesIcon3 \"light blue\": 400000001 400000002 400000003\n",
                      unmarked = "block NodesIcon3 \"light blue\":\n", blue = "block NodesIcon4 \"blue\":\n";
    const Case cases[] = {
        // The card opens without its buildings on the map.
        {"IHostDirObject.Attribute",
         false,
         "open 11\nmap\nclose\n",
         {"card 11 \"Café Lumière\"\n", unmarked},
         {3}},
        // The toggle ends before the note is stored; the map keeps what it had.
        {"IHostTable.ObjectByStableId",
         false,
         "open 11\nclick addCategory4\nmap\n",
         {"error: click: the command \"addCategory4\" failed: E_FAIL\n", marked, blue},
         {3}},
        // A company the city no longer has: the note changes, the map cannot.
        {"IHostTable.ObjectByStableId",
         true,
         "open 11\nclick addCategory4\nmap\n",
         {"marks: \"<a href= \\\"MYUNIQUETAG3\\\">", marked, blue},
         {3, 4}},
        // The blocks stay on the map when the plug-in stops; the host lets them go after.
        {"IHostLayerBlockList.Remove", false, "open 11\nclose\n", {"closed card 11\n"}, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + (c.yieldNothing ? " yields nothing" : " fails"));
        Start();
        if (c.yieldNothing)
            zelt_->Faults().YieldNothing(c.operation);
        else
            zelt_->Faults().Fail(c.operation, E_UNEXPECTED);
        const std::string out = Run(c.script);
        std::size_t at = 0;
        for (const std::string& line : c.expected) {
            at = out.find(line, at);
            if (at == std::string::npos) {
                ADD_FAILURE() << "missing, or out of order: " << line << "\n" << out;
                break;
            }
        }
        EXPECT_GT(zelt_->Faults().Calls(c.operation), 0u) << "the step met the failure";
        EXPECT_TRUE(out.ends_with(kCleanAccounting)) << out;
        EXPECT_EQ(CafeCategories(), c.categories);
    }
}
