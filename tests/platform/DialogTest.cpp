// Modal dialogs built from templates and driven as a person would drive them.
#include "platform/ui/Dialog.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowStyles.h"
#include "tests/platform/TestDialogs.h"
#include "tests/support/ProbeDialog.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using testsupport::ProbeDialog;
using testsupport::ScriptedDriver;
using testsupport::TestDialogs;

bool Called(const ProbeDialog& d, const std::string& call) {
    return std::find(d.calls.begin(), d.calls.end(), call) != d.calls.end();
}

RECT InClient(HWND dialog, HWND control) {
    const RECT r = zsys::WindowRect(control);
    const POINT topLeft = zsys::ScreenToClient(dialog, {r.left, r.top});
    return {topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top};
}
} // namespace

TEST(Dialog, DialogUnitsBecomePixelsByTheTemplateFont) {
    struct Case {
        WORD dialog;
        int control; // 0: the dialog's client area
        RECT pixels;
    };
    const Case cases[] = {
        {114, 0, {0, 0, 293, 115}},     {114, 1, {60, 83, 135, 109}}, {114, 119, {0, 0, 293, 73}},
        {115, 120, {18, 28, 225, 185}}, {900, 0, {0, 0, 200, 100}}, // 10 pt: 8 px across, 16 down
        {900, 11, {8, 40, 128, 80}},
    };
    for (const Case& c : cases) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        RECT seen{};
        d.onInit = [&](ProbeDialog& p) {
            seen = c.control ? InClient(p.Window(), p.Item(c.control)) : zsys::ClientRect(p.Window());
        };
        d.Run(c.dialog);
        EXPECT_EQ(seen, c.pixels) << c.dialog << " " << c.control;
    }
}

TEST(Dialog, WindowAddsTheCaptionedFrameAndOpensCentredOnItsOwner) {
    ScriptedDriver driver;
    HWND main = zsys::CreateWindow(u"ZeltMainFrame", u"", WS_CAPTION, 0, {100, 50, 1380, 850}, nullptr, 0);
    ProbeDialog d{TestDialogs()};
    RECT seen{};
    d.onInit = [&](ProbeDialog& p) {
        seen = zsys::WindowRect(p.Window());
        EXPECT_EQ(zsys::ClassName(p.Window()), kDialogClass);
        EXPECT_EQ(zsys::WindowText(p.Window()), u"Note");
        EXPECT_EQ(zsys::DialogTemplateId(p.Window()), 114);
    };
    d.Run(114, main);
    EXPECT_EQ(d.Window(), nullptr);
    // 293 x 115 inside, 3 px each side and a 23 px caption: 299 x 144.
    EXPECT_EQ(seen, (RECT{590, 378, 590 + 299, 378 + 144}));
    ProbeDialog unowned{TestDialogs()};
    unowned.onInit = [&](ProbeDialog& p) { seen = zsys::WindowRect(p.Window()); };
    unowned.Run(114);
    EXPECT_EQ(seen, (RECT{0, 0, 299, 144}));
    zsys::DestroyWindow(main);
}

TEST(Dialog, BuildsOneControlPerTemplateItem) {
    struct Control {
        WORD dialog;
        std::size_t index;
        int id;
        std::u16string className, text;
        DWORD styles;
        WORD icon;
    };
    const Control controls[] = {
        {114, 2, 119, u"Edit", u"", ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP | WS_CHILD, 0},
        {114, 0, 1, u"Button", u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {115, 1, -1, u"Button", u"Category name", BS_GROUPBOX, 0},
        {115, 2, 120, u"SysListView32", u"", LVS_LIST | LVS_EDITLABELS | LVS_SINGLESEL | WS_BORDER, 0},
        {116, 0, 117, u"Button", u"Replace", WS_TABSTOP, 0},
        {116, 3, 125, u"Static", u"", SS_ICON, IDI_INFORMATION},
        {116, 6, -1, u"Static", u"", SS_LEFT, 0},
    };
    for (const Control& c : controls) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        d.onInit = [&](ProbeDialog& p) {
            const auto children = zsys::Children(p.Window());
            ASSERT_LT(c.index, children.size());
            HWND control = children[c.index];
            EXPECT_EQ(zsys::ControlId(control), c.id);
            EXPECT_EQ(zsys::ClassName(control), c.className);
            EXPECT_EQ(zsys::WindowText(control), c.text);
            EXPECT_EQ(zsys::Style(control) & c.styles, c.styles);
            EXPECT_EQ(zsys::IconId(control), c.icon);
            EXPECT_EQ(zsys::Parent(control), p.Window());
            if (c.id != -1) {
                EXPECT_EQ(p.Item(c.id), control);
            }
        };
        d.Run(c.dialog);
    }
}

TEST(Dialog, InitialFocusIsTheFirstEnabledTabStopUnlessTheHandlerSetIt) {
    struct Case {
        WORD dialog;
        bool systemFocus;
        int focusedByHandler; // 0: none
        int expected;
    };
    const Case cases[] = {{114, true, 0, 1}, {900, true, 0, 11}, {114, false, 119, 119}, {114, true, 119, 1}};
    for (const Case& c : cases) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        d.systemFocus = c.systemFocus;
        d.onInit = [&](ProbeDialog& p) {
            if (c.focusedByHandler) zsys::SetFocus(p.Item(c.focusedByHandler));
        };
        int focused = 0;
        driver.Do([&](HWND) { focused = zsys::ControlId(zsys::Focus()); });
        d.Run(c.dialog);
        EXPECT_EQ(focused, c.expected) << c.dialog << " " << c.systemFocus;
    }
}

TEST(Dialog, KeysAndTheCloseBoxActAsTheDialogManagerDoes) {
    struct Case {
        const char* what;
        WORD dialog;
        int focus; // 0: as the dialog opened
        int key;   // 0: the close box
        INT_PTR result;
    };
    const Case cases[] = {
        {"Enter clicks the default button", 114, 2, VK_RETURN, IDOK},
        {"Enter without a default button is IDOK", 116, 0, VK_RETURN, IDOK},
        {"Enter in an edit without ES_WANTRETURN", 900, 11, VK_RETURN, 12},
        {"Escape", 114, 119, VK_ESCAPE, IDCANCEL},
        {"the close box", 116, 0, 0, IDCANCEL},
    };
    for (const Case& c : cases) {
        ScriptedDriver driver;
        // The default handlers; the probe for 900, whose default button they would not end on.
        zsys::Dialog plainDefaults;
        ProbeDialog probe{TestDialogs()};
        zsys::Dialog& d = c.dialog == 900 ? static_cast<zsys::Dialog&>(probe) : plainDefaults;
        driver.Do([&](HWND dialog) {
            if (c.focus) zsys::SetFocus(zsys::GetDlgItem(dialog, c.focus));
        });
        if (c.key)
            driver.PressKey(c.key);
        else
            driver.Close();
        driver.Do([](HWND) {}); // left unplayed when the action itself ended the dialog
        EXPECT_EQ(d.DoModal(TestDialogs(), c.dialog, nullptr), c.result) << c.what;
        EXPECT_EQ(driver.StepsLeft(), 1u) << c.what;
    }
}

TEST(Dialog, EnterInAMultiLineEditThatWantsItAddsALineBreakAndTheDialogGoesOn) {
    ScriptedDriver driver;
    ProbeDialog d{TestDialogs()};
    std::u16string text;
    bool runningAfterEnter = false;
    driver.Type(119, u"first").PressKey(VK_RETURN).Do([&](HWND dialog) {
        text = zsys::WindowText(zsys::GetDlgItem(dialog, 119));
        runningAfterEnter = !zsys::input::DialogEnded(dialog);
    });
    driver.Click(IDOK);
    EXPECT_EQ(d.Run(114), IDOK);
    EXPECT_EQ(text, u"first\r\n");
    EXPECT_TRUE(runningAfterEnter);
    EXPECT_EQ(std::count(d.calls.begin(), d.calls.end(), "command 119 768"), 2); // typing, then Enter
}

TEST(Dialog, ADriverThatGivesUpLeavesTheDialogToTheCloseBoxThenToCancel) {
    struct Case {
        const char* what;
        std::function<void(ProbeDialog&)> onClose;
        INT_PTR result;
    };
    const Case cases[] = {
        {"default close", nullptr, IDCANCEL},
        {"close ends with 7", [](ProbeDialog& p) { p.EndDialog(7); }, 7},
        {"close does nothing", [](ProbeDialog&) {}, IDCANCEL},
    };
    for (const Case& c : cases) {
        ScriptedDriver driver;
        ProbeDialog d{TestDialogs()};
        d.onClose = c.onClose;
        driver.Type(119, u"half a note");
        EXPECT_EQ(d.Run(114), c.result) << c.what;
        EXPECT_TRUE(Called(d, "close")) << c.what;
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

TEST(Dialog, CannotBeShownWithoutDriverOrTemplateAndThenRunsNoHandler) {
    const long windows = zsys::LiveWindowCount();
    {
        ProbeDialog d{TestDialogs()};
        EXPECT_EQ(d.Run(114), -1); // no driver
        EXPECT_TRUE(d.calls.empty());
    }
    ScriptedDriver driver;
    for (const auto& [module, id] :
         {std::pair{TestDialogs(), WORD(999)}, std::pair{HMODULE(nullptr), WORD(114)}}) {
        ProbeDialog d{TestDialogs()};
        EXPECT_EQ(d.DoModal(module, id, nullptr), -1);
        EXPECT_TRUE(d.calls.empty());
    }
    EXPECT_EQ(zsys::LiveWindowCount(), windows);
}

TEST(Dialog, OwnerIsDisabledWhileItRunsThenEnabledAndActiveAgain) {
    ScriptedDriver driver;
    HWND main = zsys::CreateWindow(u"ZeltMainFrame", u"", WS_CAPTION, 0, {0, 0, 1280, 800}, nullptr, 0);
    HWND other = zsys::CreateWindow(u"Other", u"", 0, 0, {0, 0, 10, 10}, nullptr, 0);
    zsys::SetActiveWindow(main);
    const long windows = zsys::LiveWindowCount();
    ProbeDialog d{TestDialogs()};
    driver.Do([&](HWND dialog) {
        EXPECT_FALSE(zsys::IsWindowEnabled(main));
        EXPECT_TRUE(zsys::IsWindowEnabled(other));
        EXPECT_EQ(zsys::ActiveWindow(), dialog);
        EXPECT_EQ(zsys::Owner(dialog), main);
    });
    driver.Click(IDOK);
    EXPECT_EQ(d.Run(114, main), IDOK);
    EXPECT_TRUE(zsys::IsWindowEnabled(main));
    EXPECT_EQ(zsys::ActiveWindow(), main);
    EXPECT_EQ(zsys::LiveWindowCount(), windows);

    // An owner that was disabled before stays so.
    zsys::EnableWindow(main, false);
    driver.Click(IDOK);
    d.Run(114, main);
    EXPECT_FALSE(zsys::IsWindowEnabled(main));
    zsys::DestroyWindow(main);
    zsys::DestroyWindow(other);
}

TEST(Dialog, DialogsAndMessageBoxesNestInsideAHandler) {
    ScriptedDriver driver;
    ProbeDialog settings{TestDialogs()}, conflict{TestDialogs()};
    INT_PTR inner = 0;
    int answer = 0;
    settings.onClick = [&](ProbeDialog& p, int id) {
        if (id != 121) return p.EndDialog(id);
        inner = conflict.Run(116, p.Window());
        answer = MessageBoxW(p.Window(), u"Imported 3 notes", u"Import notes", MB_YESNO);
    };
    HWND outer = nullptr;
    driver.Do([&](HWND dialog) { outer = dialog; }).Click(121);
    driver.Do([&](HWND dialog) {
        EXPECT_EQ(zsys::Owner(dialog), outer);
        EXPECT_FALSE(zsys::IsWindowEnabled(outer));
        EXPECT_FALSE(zsys::input::Click(zsys::GetDlgItem(outer, 122))); // out of the person's reach
    });
    driver.Click(118).AnswerMessageBox(IDNO);
    driver.Do([&](HWND dialog) {
        EXPECT_TRUE(zsys::IsWindowEnabled(dialog));
        EXPECT_EQ(zsys::ActiveWindow(), dialog);
    });
    driver.Click(2);
    EXPECT_EQ(settings.Run(115), 2);
    EXPECT_EQ(inner, 118);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(driver.Dialogs(), (std::vector<WORD>{115, 116}));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].owner, outer);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_FALSE(Called(settings, "command 122 0"));
}

TEST(Dialog, InputReachesOnlyWhatThePersonCould) {
    struct Case {
        const char* what;
        WORD dialog;
        std::function<bool(HWND dialog)> act;
    };
    using namespace zsys::input;
    const Case cases[] = {
        {"a group box", 115, [](HWND d) { return Click(zsys::GetDlgItem(d, -1)); }},
        {"a disabled button", 900, [](HWND d) { return Click(zsys::GetDlgItem(d, 10)); }},
        {"typing into a button", 114, [](HWND d) { return TypeText(zsys::GetDlgItem(d, 1), u"x"); }},
        {"a key to a control", 114, [](HWND d) { return PressKey(zsys::GetDlgItem(d, 119), VK_ESCAPE); }},
        {"another key", 114, [](HWND d) { return PressKey(d, 'A'); }},
        {"no label edit", 115, [](HWND d) { return EndLabelEdit(zsys::GetDlgItem(d, 120), u"x"); }},
        {"no such item", 115, [](HWND d) { return ClickListItem(zsys::GetDlgItem(d, 120), 0); }},
        {"no such control", 114, [](HWND d) { return Click(zsys::GetDlgItem(d, 5)); }},
    };
    for (const Case& c : cases) {
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
