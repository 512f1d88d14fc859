// The shell as the desktop around the plug-in: the host's main window, the mouse pointer,
// and the dialogs, message boxes and file dialogs it prints and reads the person's answers to.
#include "host/Utf.h"
#include "host/shell/HostShell.h"
#include "host/shell/ShellDriver.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ListView.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/ProbeDialog.h"

#include <gtest/gtest.h>

#include <sstream>

extern const ResourceTable kVeskNotesResources;

using namespace hosttest;
using testsupport::ProbeDialog;

namespace {
// The plug-in's own dialog templates.
HMODULE PluginDialogs() {
    static const HMODULE module = RegisterModule("ShellDialogs", &kVeskNotesResources, nullptr);
    return module;
}

// The shell's driver, reading `input`; what it printed is in `out`.
struct Desk {
    explicit Desk(const std::string& input) : in(input), driver(in, out, false) {}
    std::istringstream in;
    std::ostringstream out;
    host::ShellDriver driver;
};

// The settings dialog's list as the plug-in fills it, with clicks starting label edits and
// the ends of the edits noted (the text, or "(cancelled)").
void FillAndEditLabels(ProbeDialog& d, std::vector<std::u16string>& ended) {
    d.onInit = [](ProbeDialog& p) {
        for (const auto* name : {u"Red", u"Green", u"Blue"})
            zsys::listview::InsertItem(p.Item(120), zsys::listview::ItemCount(p.Item(120)), name,
                                       zsys::listview::ItemCount(p.Item(120)));
    };
    d.onNotify = [&ended](ProbeDialog&, const NMHDR& header) {
        HWND list = header.hwndFrom;
        if (header.code == NM_CLICK) {
            const POINT at = zsys::ScreenToClient(list, zsys::CursorPos());
            if (const int item = zsys::listview::HitTest(list, at, nullptr); item >= 0)
                zsys::listview::EditLabel(list, item);
        } else if (header.code == LVN_ENDLABELEDITW) {
            const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
            ended.push_back(info.text ? info.text : u"(cancelled)");
            if (info.text) zsys::listview::SetItemText(list, info.item, info.text);
        }
    };
}

const std::string kSettings = "dialog 115 \"Notes module settings\" at 0,0 size 389x235\n"
                              "control 2 default-button \"Close\"\n"
                              "control -1 group \"Category name\"\n"
                              "control 120 list \"\"\n"
                              "control 121 button \"Import notes\"\n"
                              "control 122 button \"Export notes\"\n"
                              "control 123 button \"Delete notes\"\n";
} // namespace

TEST(ShellDesktop, MainWindowIsARegisteredWindowActiveOnceThePluginStartsAndFrameMovesIt) {
    const long windows = zsys::LiveWindowCount();
    {
        host::ZeltHost zelt({VESK_PLUGIN_PATH, 1033, TestfordPath(), TempPath("appdata.frame")});
        zsys::ComPtr<ZeltCore::IHostFrame> frame;
        ASSERT_EQ(zelt.View().Frame(frame.put()), S_OK);
        HWND window = nullptr;
        ASSERT_EQ(frame->Window(&window), S_OK);
        EXPECT_EQ(zsys::ClassName(window), u"ZeltMainFrame");
        EXPECT_EQ(zsys::WindowRect(window), (RECT{0, 0, 1280, 800}));
        zsys::SetActiveWindow(nullptr);
        zelt.Load();
        ASSERT_EQ(zelt.Start(), S_OK);
        EXPECT_EQ(zsys::ActiveWindow(), window);
        frame = nullptr;

        std::istringstream in(
            "frame\nframe 10 20 1290 830\npointer 400 -5\nframe 5 5 1\nframe 9 9 1 1\npointer 1\n"
            "pointer a b\nframe\n");
        std::ostringstream out;
        EXPECT_EQ(host::HostShell(zelt, out).Run(in, false), 0);
        EXPECT_EQ(out.str(), "window 0 0 1280 800\n"
                             "window 10 20 1290 830\n"
                             "error: usage: frame [L T R B]\n"
                             "error: usage: frame [L T R B]\n"
                             "error: usage: pointer X Y\n"
                             "error: usage: pointer X Y\n"
                             "window 10 20 1290 830\n"
                             "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n");
        EXPECT_EQ(zsys::CursorPos(), (POINT{400, -5}));
    }
    EXPECT_EQ(zsys::LiveWindowCount(), windows) << "the main window goes with the host";
}

TEST(ShellDesktop, DialogIsPrintedAndTakesItsCommandsUntilItEnds) {
    Desk desk("set 119 two\\nlines\n"
              "enter\n"
              "items\n"
              "press 5\n"
              "set 1 x\n"
              "frobnicate\n"
              "set x\n"
              "press 1 2\n"
              "  press 1\n"
              "city\n");
    ProbeDialog d(PluginDialogs());
    std::u16string text;
    d.onClick = [&](ProbeDialog& p, int id) {
        text = zsys::WindowText(p.Item(119));
        p.EndDialog(id);
    };
    EXPECT_EQ(d.Run(114), 1);
    EXPECT_EQ(text, u"two\nlines\r\n");
    EXPECT_EQ(desk.out.str(),
              "dialog 114 \"Note\" at 0,0 size 299x144\n"
              "control 1 default-button \"OK\"\n"
              "control 2 button \"Cancel\"\n"
              "control 119 edit \"\"\n"
              "error: the dialog has no list\n"
              "error: the dialog has no control 5\n"
              "error: control 1 takes no text\n"
              "error: unknown dialog command \"frobnicate\"; \"help\" lists the dialog commands\n"
              "error: usage: set ID TEXT\n"
              "error: usage: press ID\n");
    std::string rest;
    std::getline(desk.in, rest);
    EXPECT_EQ(rest, "city") << "the dialog read no further than its end";
}

TEST(ShellDesktop, LabelCommandsClickAnItemAndEndItsEdit) {
    Desk desk("items\nlabel 1 Renamed\nlabel-cancel 0\nlabel 5 x\nlabel 2\nitems\nclose\n");
    ProbeDialog d(PluginDialogs());
    std::vector<std::u16string> ended;
    FillAndEditLabels(d, ended);
    EXPECT_EQ(d.Run(115), IDCANCEL);
    EXPECT_EQ(ended, (std::vector<std::u16string>{u"Renamed", u"(cancelled)", u""}));
    EXPECT_EQ(desk.out.str(), kSettings + "item 0 \"Red\" image=0\n"
                                          "item 1 \"Green\" image=1\n"
                                          "item 2 \"Blue\" image=2\n"
                                          "error: the list has no item 5\n"
                                          "item 0 \"Red\" image=0\n"
                                          "item 1 \"Renamed\" image=1\n"
                                          "item 2 \"\" image=2\n");
}

TEST(ShellDesktop, FileDialogsMessageBoxesAndDialogsOpenedByAHandlerReadTheirOwnAnswers) {
    Desk desk("press 121\n"
              "nonsense\n"
              "file /nonexistent/notes\n"
              "answer yes\n"
              "answer ok\n"
              "file " +
              TestfordPath() +
              "\n"
              "answer ok\n"
              "answer yes\n"
              "escape\n"
              "press 2\n");
    ProbeDialog settings(PluginDialogs()), conflict(PluginDialogs());
    std::optional<std::u16string> chosen;
    int answer = 0;
    INT_PTR conflictResult = 0;
    settings.onClick = [&](ProbeDialog& p, int id) {
        if (id != 121) return p.EndDialog(id);
        chosen = zsys::GetOpenFileName({.owner = p.Window(),
                                        .filters = {{u"XML Files", u"*.xml"}},
                                        .defaultExtension = u"xml",
                                        .flags = OFN_FILEMUSTEXIST});
        answer = MessageBoxW(p.Window(), u"Imported 3 notes", u"Import notes", MB_YESNO | MB_ICONQUESTION);
        conflictResult = conflict.Run(116, p.Window());
    };
    EXPECT_EQ(settings.Run(115), 2);
    EXPECT_EQ(chosen, host::Utf16(TestfordPath()));
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(conflictResult, IDCANCEL);
    const std::string fileDialog = "file-dialog open filter=\"XML Files|*.xml\" ext=xml\n";
    EXPECT_EQ(desk.out.str(),
              kSettings + fileDialog +
                  "error: a file dialog waits for \"file PATH\" or \"cancel\"\n"
                  "message \"/nonexistent/notes.xml\\nFile not found.\\nCheck the file name and try again.\" "
                  "caption=\"Open\" buttons=ok icon=warning\n"
                  "error: the message box has no \"yes\" button\n" +
                  fileDialog +
                  "message \"Imported 3 notes\" caption=\"Import notes\" buttons=yesno icon=question\n"
                  "error: the message box has no \"ok\" button\n"
                  // 348 x 125, centred on the settings dialog
                  "dialog 116 \"Import notes\" at 20,55 size 348x125\n"
                  "control 117 button \"Replace\"\n"
                  "control 118 button \"Keep\"\n"
                  "control 2 button \"Cancel\"\n"
                  "control 125 icon \"#32516\"\n"
                  "control -1 static \"\"\n"
                  "control -1 static \"\"\n"
                  "control -1 static \"\"\n");
}

TEST(ShellDesktop, WithTheInputAtItsEndDialogsAreClosedMessagesGetTheirDefaultAndFilesAreCancelled) {
    Desk desk("set 119 unfinished\n");
    ProbeDialog note(PluginDialogs());
    EXPECT_EQ(note.Run(114), IDCANCEL);
    EXPECT_EQ(note.calls.back(), "command 2 0") << "closed as the close box would";
    EXPECT_EQ(MessageBoxW(nullptr, u"Delete?", u"Deleting notes", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(zsys::GetSaveFileName({.defaultExtension = u"xml"}), std::nullopt);
    EXPECT_TRUE(
        desk.out.str().ends_with("message \"Delete?\" caption=\"Deleting notes\" buttons=yesno icon=none\n"
                                 "file-dialog save filter=\"\" ext=xml\n"))
        << desk.out.str();
}
