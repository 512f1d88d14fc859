// The note edit dialog end to end: the plug-in started by the reference host on Testford,
// the Café's card opened and its add-note command run, the dialog answered through the
// shell as a person would (or by a script where the shell cannot show what matters), and
// the note read back from the city's notes file.
#include "host/objects/HostCard.h"
#include "platform/ui/Input.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/PluginHost.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>

using namespace hosttest;

namespace {
using NoteDialog = PluginHostTest;

constexpr int kNoteBox = 119;

// The Café's note in the written file; empty when it has none.
FileNote CafeNote(const NotesFileContents& file) {
    const auto cafe = file.notes.find(testford::kCafeStable);
    return cafe == file.notes.end() ? FileNote{} : cafe->second;
}
} // namespace

TEST_F(NoteDialog, OnlyOkChangesTheNoteAndLineBreaksConvertBothWays) {
    const FileNote twoLines{"first\nsecond", {3}};
    const std::string box = "first\\r\\nsecond";
    const struct {
        const char* what;
        FileNote before; // empty: the Café has no note
        std::string box; // the edit box as the dialog opens, as the shell prints it
        std::string answer;
        FileNote after;
        std::size_t errors = 0; // the lines that say what was wrong
    } cases[] = {
        // clang-format off
        {"OK on the text as it came", twoLines, box, "press 1", twoLines},
        {"OK on typed lines ending in blank ones", twoLines, box,
         "set 119 new\\r\\ntext\\r\\n\\r\\n \\t\npress 1", {"new\ntext", {3}}},
        {"OK on a cleared box keeps a note that has categories", twoLines, box, "set 119\npress 1",
         {"", {3}}},
        {"OK on a cleared box removes a note of text only", {"gone", {}}, "gone", "set 119\npress 1", {}},
        {"Cancel", twoLines, box, "set 119 typed\npress 2", twoLines},
        {"the close box", twoLines, box, "set 119 typed\nclose", twoLines},
        {"Escape", twoLines, box, "set 119 typed\nescape", twoLines},
        {"the end of the input", twoLines, box, "set 119 typed", twoLines},
        {"OK on a company without a note makes one", {}, "", "set 119 fresh\npress 1", {"fresh", {}}},
        {"Cancel on a company without a note leaves none", {}, "", "set 119 typed\npress 2", {}},
        {"Enter in the box starts a line and mistakes leave the dialog open", twoLines, box,
         "set 119 typed\nenter\nitems\npress 5\nset 1 x\nfrobnicate\nset x\npress 1 2\nset 119 last\n"
         "  press 1\ncard",
         {"last", {3}}, 6},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.before == FileNote{} ? FileNotes{} : FileNotes{{testford::kCafeStable, c.before}});
        const std::string out = Run("pointer 10 20\nopen 11\nclick addNode\n" + c.answer + "\n");
        EXPECT_NE(out.find("control 119 edit \"" + c.box + "\"\n"), std::string::npos) << out;
        EXPECT_EQ(Occurrences(out, "error:"), c.errors) << out;
        // The card as it opened and as it was rebuilt, and shown again by a command after the dialog.
        EXPECT_EQ(Occurrences(out, "card 11 "), c.answer.ends_with("card") ? 3u : 2u) << out;
        EXPECT_EQ(CafeNote(Written()), c.after);
    }
}

TEST_F(NoteDialog, OpensAtThePointerOr300PixelsLeftOfItFrom400PixelsRightOfTheHostWindowsLeftEdge) {
    const struct {
        std::string frame;
        int pointerX, dialogX;
    } cases[] = {
        {"100 50 1380 850", 499, 499}, {"100 50 1380 850", 500, 200},  {"100 50 1380 850", 1379, 1079},
        {"100 50 1380 850", 20, 20},   {"-700 0 580 800", -301, -301}, {"-700 0 580 800", -300, -600},
    };
    std::string script = "open 11\n", expected;
    for (const auto& c : cases) {
        script +=
            "frame " + c.frame + "\npointer " + std::to_string(c.pointerX) + " 300\nclick addNode\nescape\n";
        expected += "dialog 114 \"Note\" at " + std::to_string(c.dialogX) + ",300 size 299x144\n";
    }
    Start(FileNotes{});
    EXPECT_EQ(LinesStarting(Run(script), {"dialog ", "error:"}), expected);
}

TEST_F(NoteDialog, ShowsItsTextsInTheInterfaceLanguage) {
    const struct {
        LANGID language;
        std::string texts;
    } cases[] = {
        {3082, "\"Nota\" at 10,20 size 299x144\ncontrol 1 default-button \"Aceptar\"\ncontrol 2 button "
               "\"Cancelar\"\n"},
        {1049,
         "\"Заметка\" at 10,20 size 299x144\ncontrol 1 default-button \"OK\"\ncontrol 2 button \"Отмена\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        WriteNotes({});
        Start(c.language);
        const std::string out = Run("pointer 10 20\nopen 11\nclick addNode\nescape\n");
        EXPECT_NE(out.find("dialog 114 " + c.texts), std::string::npos) << out;
    }
}

// What the shell does not print: the dialog above the other windows, owned by the window
// active when it opened (here not the host's main window), with the keyboard in the box,
// where Enter starts a line instead of pressing OK.
TEST_F(NoteDialog, OpensOnTopOwnedByTheActiveWindowWithEnterInTheBoxAddingALine) {
    Start({{testford::kCafeStable, {"first\nsecond", {}}}});
    host::HostCard& card = Zelt().Cards().Open(testford::kCafe);
    HWND other = zsys::CreateWindow(u"CardWindow", u"Café Lumière", 0, 0, {40, 40, 400, 300}, nullptr, 0);
    zsys::SetActiveWindow(other);

    ScriptedDriver driver;
    driver
        .Do([other](HWND dialog) {
            EXPECT_TRUE(zsys::IsTopmost(dialog));
            EXPECT_EQ(zsys::Owner(dialog), other);
            EXPECT_EQ(zsys::Focus(), zsys::GetDlgItem(dialog, kNoteBox));
        })
        .PressKey(VK_RETURN)
        .Do([](HWND dialog) {
            EXPECT_FALSE(zsys::input::DialogEnded(dialog));
            EXPECT_EQ(zsys::WindowText(zsys::GetDlgItem(dialog, kNoteBox)), u"first\r\nsecond\r\n");
        })
        .Close();
    EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_TRUE(driver.Refused().empty());
    EXPECT_EQ(zsys::ActiveWindow(), other) << "active again once the dialog is gone";
    zsys::DestroyWindow(other);
}

TEST_F(NoteDialog, WithoutADriverNothingIsShownAndTheNoteStays) {
    Start({{testford::kCafeStable, {"kept", {2}}}});
    ASSERT_EQ(zsys::CurrentDesktopDriver(), nullptr);
    host::HostCard& card = Zelt().Cards().Open(testford::kCafe);
    const long windows = zsys::LiveWindowCount();
    EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
    EXPECT_EQ(zsys::LiveWindowCount(), windows);
    EXPECT_EQ(card.Builds(), 2) << "the card is rebuilt as after a Cancel";
    EXPECT_EQ(Zelt().Stop(), S_OK);
    EXPECT_EQ(CafeNote(Written()), (FileNote{"kept", {2}}));
}
