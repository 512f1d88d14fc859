// The window registry: geometry, ownership and the desktop's focus, activation and cursor.
#include "platform/ui/Window.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

TEST(Window, ChildrenLieInTheClientAreaAndMoveWithTheirParent) {
    // Captioned: 3 px frame each side, 23 px caption above the client area.
    HWND top = zsys::CreateWindow(u"Frame", u"Main", WS_CAPTION, 0, {100, 200, 500, 600}, nullptr, 0);
    HWND child = zsys::CreateWindow(u"Edit", u"", WS_CHILD | WS_BORDER, 0, {110, 230, 210, 260}, top, 7);
    EXPECT_EQ(zsys::ClientRect(top), (RECT{0, 0, 394, 371}));
    EXPECT_EQ(zsys::ClientRect(child), (RECT{0, 0, 98, 28}));
    EXPECT_EQ(zsys::ScreenToClient(top, {110, 230}), (POINT{7, 4}));
    EXPECT_EQ(zsys::ClientToScreen(child, {0, 0}), (POINT{111, 231}));

    zsys::MoveWindow(top, 0, 0, 400, 400);
    EXPECT_EQ(zsys::WindowRect(child), (RECT{10, 30, 110, 60}));
    zsys::MoveWindow(child, 0, 0, 20, 10); // in the parent's client area
    EXPECT_EQ(zsys::WindowRect(child), (RECT{3, 26, 23, 36}));
    EXPECT_EQ(zsys::GetDlgItem(top, 7), child);
    EXPECT_EQ(zsys::Parent(child), top);
    EXPECT_EQ(zsys::Owner(child), nullptr);
    zsys::DestroyWindow(top);
}

TEST(Window, SetWindowPosLeavesOutWhatItsFlagsSay) {
    const struct {
        HWND after;
        UINT flags;
        RECT rect;
        bool topmost;
    } cases[] = {
        {HWND_TOPMOST, SWP_NOSIZE, {30, 40, 130, 90}, true},
        {HWND_NOTOPMOST, SWP_NOMOVE, {10, 20, 60, 80}, false},
        {HWND_TOPMOST, SWP_NOZORDER, {30, 40, 80, 100}, false},
        {nullptr, 0, {30, 40, 80, 100}, false},
    };
    for (const auto& c : cases) {
        HWND w = zsys::CreateWindow(u"Frame", u"", 0, 0, {10, 20, 110, 70}, nullptr, 0);
        EXPECT_TRUE(zsys::SetWindowPos(w, c.after, 30, 40, 50, 60, c.flags));
        EXPECT_EQ(zsys::WindowRect(w), c.rect) << c.flags;
        EXPECT_EQ(zsys::IsTopmost(w), c.topmost) << c.flags;
        zsys::DestroyWindow(w);
    }
}

TEST(Window, DestroyingAWindowTakesItsChildrenOwnedWindowsFocusAndActivation) {
    const long before = zsys::LiveWindowCount();
    HWND main = zsys::CreateWindow(u"Frame", u"", 0, 0, {0, 0, 100, 100}, nullptr, 0);
    HWND child = zsys::CreateWindow(u"Button", u"", WS_CHILD, 0, {0, 0, 10, 10}, main, 1);
    HWND owned = zsys::CreateWindow(u"Popup", u"", 0, 0, {0, 0, 10, 10}, child, 0); // owned by main
    HWND grandchild = zsys::CreateWindow(u"Static", u"", WS_CHILD, 0, {0, 0, 5, 5}, owned, 2);
    EXPECT_EQ(zsys::Owner(owned), main);
    EXPECT_EQ(zsys::LiveWindowCount(), before + 4);
    zsys::SetFocus(grandchild);
    zsys::SetActiveWindow(child);
    EXPECT_EQ(zsys::ActiveWindow(), main); // activation goes to top-level windows

    EXPECT_TRUE(zsys::DestroyWindow(main));
    EXPECT_EQ(zsys::LiveWindowCount(), before);
    for (HWND w : {main, child, owned, grandchild})
        EXPECT_FALSE(zsys::IsWindow(w));
    EXPECT_EQ(zsys::Focus(), nullptr);
    EXPECT_EQ(zsys::ActiveWindow(), nullptr);
    EXPECT_FALSE(zsys::DestroyWindow(main));
    EXPECT_EQ(zsys::WindowText(main), u"");
    EXPECT_EQ(zsys::CreateWindow(u"Button", u"", WS_CHILD, 0, {}, nullptr, 1), nullptr);
}

TEST(Window, TextEnablingAndTheCursorAreTheDesktops) {
    HWND w = zsys::CreateWindow(u"Edit", u"", WS_DISABLED, 0, {}, nullptr, 0);
    const std::u16string longText(100000, u'x');
    zsys::SetWindowText(w, longText);
    EXPECT_EQ(zsys::WindowText(w), longText);
    EXPECT_FALSE(zsys::IsWindowEnabled(w));
    EXPECT_TRUE(zsys::EnableWindow(w, true)); // was disabled
    EXPECT_FALSE(zsys::EnableWindow(w, true));
    EXPECT_TRUE(zsys::IsWindowEnabled(w));
    zsys::DestroyWindow(w);

    zsys::SetCursorPos({640, 400});
    EXPECT_EQ(zsys::CursorPos(), (POINT{640, 400}));
    const HCURSOR arrow = zsys::LoadCursor(IDC_ARROW), wait = zsys::LoadCursor(IDC_WAIT);
    EXPECT_EQ(zsys::LoadCursor(1), nullptr);
    EXPECT_EQ(zsys::CurrentCursor(), arrow);
    EXPECT_EQ(zsys::SetCursor(wait), arrow);
    EXPECT_EQ(zsys::CursorId(zsys::CurrentCursor()), IDC_WAIT);
    EXPECT_EQ(zsys::SetCursor(arrow), wait);
}
