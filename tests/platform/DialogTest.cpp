// Modal dialogs built from templates and driven as a person would drive them.
#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowStyles.h"
#include "tests/platform/TestDialogs.h"
#include "tests/support/ProbeDialog.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {
using testsupport::ProbeDialog;
using testsupport::ScriptedDriver;
using testsupport::TestDialogs;

RECT InClient(HWND dialog, HWND control) {
    const RECT r = zsys::WindowRect(control);
    const POINT topLeft = zsys::ScreenToClient(dialog, {r.left, r.top});
    return {topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top};
}
} // namespace

// As a dialog opens, dialog units become pixels by the template's font and the keyboard goes to the
// first enabled tab stop, wherever the handler put it. The host's shell shows the dialogs' sizes, not
// the controls' places nor the probe's larger font; the note dialog's handler puts the keyboard in
// its box, as the host's test of it shows.
TEST(Dialog, AsItOpensUnitsBecomePixelsByTheTemplateFontAndTheFocusIsTheFirstEnabledTabStop) {
    const struct {
        WORD dialog;
        int control; // 0: the dialog's client area
        RECT pixels;
        int focusedByHandler, focused; // 0: none
    } cases[] = {
        {114, 1, {60, 83, 135, 109}, 0, 1},   {114, 119, {0, 0, 293, 73}, 119, 1},
        {115, 120, {18, 28, 225, 185}, 0, 2}, // "Close" comes first in the template
        {900, 0, {0, 0, 200, 100}, 0, 11},    // 10 pt: 8 px across, 16 down
        {900, 11, {8, 40, 128, 80}, 0, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialog << " " << c.control);
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        RECT seen{};
        d.onInit = [&](ProbeDialog& p) {
            seen = c.control ? InClient(p.Window(), p.Item(c.control)) : zsys::ClientRect(p.Window());
            if (c.focusedByHandler) zsys::SetFocus(p.Item(c.focusedByHandler));
        };
        int focused = 0;
        driver.Do([&](HWND) { focused = zsys::ControlId(zsys::Focus()); });
        d.Run(c.dialog);
        EXPECT_EQ(seen, c.pixels);
        EXPECT_EQ(focused, c.focused);
    }
}

// Enter on a default button, Escape and the close box are the note dialog's, tested through the
// host's shell.
TEST(Dialog, EnterWithoutADefaultButtonIsOkAndInAPlainEditClicksTheDefaultButton) {
    struct Case {
        WORD dialog;
        int focus; // 0: as the dialog opened
        INT_PTR result;
    };
    for (const Case& c : {Case{116, 0, IDOK}, Case{900, 11, 12}}) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        driver.Do([&](HWND dialog) {
            if (c.focus) zsys::SetFocus(zsys::GetDlgItem(dialog, c.focus));
        });
        driver.PressKey(VK_RETURN);
        EXPECT_EQ(d.Run(c.dialog), c.result) << c.dialog;
    }
}

TEST(Dialog, ADriverThatGivesUpLeavesTheDialogToItsCloseHandlerThenToCancel) {
    for (const bool closeEnds : {true, false}) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        d.onClose = [closeEnds](ProbeDialog& p) {
            if (closeEnds) p.EndDialog(7);
        };
        driver.Type(119, u"half a note");
        EXPECT_EQ(d.Run(114), closeEnds ? 7 : IDCANCEL);
        EXPECT_EQ(std::ranges::count(d.calls, "close"), 1);
    }
}

TEST(Dialog, EndDialogDuringInitSkipsTheRun) {
    ScriptedDriver driver;
    ProbeDialog d{TestDialogs()};
    d.onInit = [](ProbeDialog& p) { p.EndDialog(42); };
    EXPECT_EQ(d.Run(114), 42);
    EXPECT_TRUE(driver.Dialogs().empty());
    EXPECT_EQ(d.calls, std::vector<std::string>{"init"});
}

// Without a driver nothing is shown, as the host's test of the note dialog shows.
TEST(Dialog, CannotBeShownWithoutATemplateAndThenRunsNoHandler) {
    const long windows = zsys::LiveWindowCount();
    ScriptedDriver driver;
    for (const auto& [module, id] :
         {std::pair{TestDialogs(), WORD(999)}, std::pair{HMODULE(nullptr), WORD(114)}}) {
        ProbeDialog d{TestDialogs()};
        EXPECT_EQ(d.DoModal(module, id, nullptr), -1);
        EXPECT_TRUE(d.calls.empty());
    }
    EXPECT_EQ(zsys::LiveWindowCount(), windows);
}

// What a nested dialog and a message box answer is shown through the host's shell; what it
// does not show is the owner out of reach while they run, and active again after.
TEST(Dialog, AnOwnerIsOutOfReachWhileItsDialogRunsThenAsItWas) {
    ScriptedDriver driver;
    const long windows = zsys::LiveWindowCount();
    ProbeDialog settings{TestDialogs()}, conflict{TestDialogs()};
    settings.onClick = [&](ProbeDialog& p, int id) {
        if (id != 121) return p.EndDialog(id);
        conflict.Run(116, p.Window());
        MessageBoxW(p.Window(), u"Imported 3 notes", u"Import notes", MB_OK);
    };
    HWND outer = nullptr;
    driver.Do([&](HWND dialog) { outer = dialog; }).Click(121);
    driver.Do([&](HWND dialog) {
        EXPECT_EQ(zsys::Owner(dialog), outer);
        const RECT o = zsys::WindowRect(outer), d = zsys::WindowRect(dialog);
        EXPECT_LE(
            std::abs(d.left + d.right - o.left - o.right) + std::abs(d.top + d.bottom - o.top - o.bottom), 2)
            << "centred on its owner";
        // The windows' sizes, frames included, as the host's shell shows them.
        EXPECT_EQ(std::tuple(o.right - o.left, o.bottom - o.top, d.right - d.left, d.bottom - d.top),
                  std::tuple(389, 235, 348, 125));
        EXPECT_EQ(zsys::ActiveWindow(), dialog);
        EXPECT_FALSE(zsys::IsWindowEnabled(outer));
        EXPECT_FALSE(zsys::input::Click(zsys::GetDlgItem(outer, 122)));
    });
    driver.Click(118).AnswerMessageBox(IDOK);
    driver.Do([&](HWND dialog) {
        EXPECT_TRUE(zsys::IsWindowEnabled(dialog));
        EXPECT_EQ(zsys::ActiveWindow(), dialog);
    });
    driver.Click(2);
    EXPECT_EQ(settings.Run(115), 2);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].owner, outer);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_EQ(std::ranges::count(settings.calls, "command 122 0"), 0);
    EXPECT_EQ(zsys::LiveWindowCount(), windows);

    // An owner that was disabled before stays so.
    HWND main = zsys::CreateWindow(u"ZeltMainFrame", u"", WS_CAPTION, 0, {0, 0, 1280, 800}, nullptr, 0);
    zsys::EnableWindow(main, false);
    driver.Click(IDOK);
    EXPECT_EQ(settings.Run(114, main), IDOK);
    EXPECT_FALSE(zsys::IsWindowEnabled(main));
    zsys::DestroyWindow(main);
}

// Typing into a button and a click on a list's missing item are refused through the host's shell.
TEST(Dialog, InputReachesOnlyWhatThePersonCould) {
    using namespace zsys::input;
    const struct {
        const char* what;
        WORD dialog;
        std::function<bool(HWND dialog)> act;
    } cases[] = {
        {"a group box", 115, [](HWND d) { return Click(zsys::GetDlgItem(d, -1)); }},
        {"a disabled button", 900, [](HWND d) { return Click(zsys::GetDlgItem(d, 10)); }},
        {"a key to a control", 114, [](HWND d) { return PressKey(zsys::GetDlgItem(d, 119), VK_ESCAPE); }},
        {"another key", 114, [](HWND d) { return PressKey(d, 'A'); }},
        {"no label edit", 115, [](HWND d) { return EndLabelEdit(zsys::GetDlgItem(d, 120), u"x"); }},
        {"no such control", 114, [](HWND d) { return Click(zsys::GetDlgItem(d, 5)); }},
    };
    for (const auto& c : cases) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        bool acted = true;
        driver.Do([&](HWND dialog) { acted = c.act(dialog); });
        d.Run(c.dialog);
        EXPECT_FALSE(acted) << c.what;
        EXPECT_EQ(d.calls, (std::vector<std::string>{"init", "close", "command 2 0"})) << c.what;
    }
}

TEST(Dialog, AnEndedDialogTakesNoMoreInput) {
    ScriptedDriver driver;
    ProbeDialog d{TestDialogs()};
    d.onClick = [](ProbeDialog& p, int id) {
        p.EndDialog(id);
        EXPECT_FALSE(zsys::input::Click(p.Item(2)));
        EXPECT_TRUE(zsys::input::DialogEnded(p.Window()));
        EXPECT_EQ(zsys::input::Result(p.Window()), id);
    };
    driver.Click(1);
    EXPECT_EQ(d.Run(114), 1);
    EXPECT_EQ(d.calls, (std::vector<std::string>{"init", "command 1 0"}));
}
