// The note edit dialog driven as a person would drive it, through a scripted desktop
// driver: what it shows, what OK, Cancel, the close box, Escape and Enter do with the
// note, and where it opens beside the host window.
#include "display/NodeAskDialog.h"
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "host/ZeltHost.h"
#include "platform/system/Language.h"
#include "platform/ui/DesktopDriver.h"
#include "platform/ui/Input.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "store/CollectionElement.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
// Plays the person at the desktop: runs the script on each dialog and records where and
// how it was shown.
struct ScriptDriver : zsys::DesktopDriver {
    int MessageBox(HWND, std::u16string_view, std::u16string_view, UINT) override { return IDOK; }
    void RunModal(HWND dialog) override {
        shown.push_back({zsys::WindowRect(dialog), zsys::WindowText(dialog), zsys::IsTopmost(dialog),
                         zsys::WindowText(zsys::GetDlgItem(dialog, IDOK)),
                         zsys::WindowText(zsys::GetDlgItem(dialog, IDCANCEL)),
                         zsys::WindowText(zsys::GetDlgItem(dialog, IDC_NOTE_TEXT)),
                         zsys::Focus() == zsys::GetDlgItem(dialog, IDC_NOTE_TEXT)});
        if (script) script(dialog);
    }
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest&) override { return std::nullopt; }

    struct Shown {
        RECT rect;
        std::u16string caption;
        bool topmost;
        std::u16string ok, cancel, text;
        bool editFocused;
    };
    std::function<void(HWND)> script;
    std::vector<Shown> shown;
};

class NoteEditDialog : public testing::Test {
protected:
    NoteEditDialog() {
        SetThreadUILanguage(1033);
        previous_ = zsys::InstallDesktopDriver(&driver_);
    }
    ~NoteEditDialog() override {
        zsys::InstallDesktopDriver(previous_);
        SetThreadUILanguage(0);
    }
    // Edits a note of `text` with the script; whether the note changed, and the note.
    bool Edit(CollectionElement& note, std::function<void(HWND)> script) {
        driver_.script = std::move(script);
        return NodeAskDialog::Edit(host_.View(), language_, note);
    }
    static CollectionElement Note(std::u16string text) {
        CollectionElement note;
        note.SetText(std::move(text));
        return note;
    }
    static HWND Box(HWND dialog) { return zsys::GetDlgItem(dialog, IDC_NOTE_TEXT); }

    host::ZeltHost host_{{"", 0, ""}};
    std::shared_ptr<const LangLocal> language_ = std::make_shared<LangLocal>(TheModule().Instance());
    ScriptDriver driver_;
    zsys::DesktopDriver* previous_ = nullptr;
};
} // namespace

TEST_F(NoteEditDialog, OpensWithTheTextsOfTheLanguageAndTheNotesLinesFocusedAndOnTop) {
    CollectionElement note = Note(u"first\nsecond");
    EXPECT_TRUE(Edit(note, [](HWND d) { zsys::input::Click(zsys::GetDlgItem(d, IDOK)); }));
    ASSERT_EQ(driver_.shown.size(), 1u);
    const auto& shown = driver_.shown[0];
    EXPECT_EQ(shown.caption, u"Note");
    EXPECT_EQ(shown.ok, u"OK");
    EXPECT_EQ(shown.cancel, u"Cancel");
    EXPECT_EQ(shown.text, u"first\r\nsecond");
    EXPECT_TRUE(shown.topmost);
    EXPECT_TRUE(shown.editFocused);
    EXPECT_EQ(note.Text(), u"first\nsecond") << "confirmed unchanged, stored with a single line feed again";
}

TEST_F(NoteEditDialog, OkStoresTheTextAndEveryOtherEndLeavesTheNote) {
    struct Case {
        const char* what;
        std::function<void(HWND)> script;
        bool changed;
        std::u16string text;
    };
    const Case cases[] = {
        {"OK",
         [](HWND d) {
             zsys::input::TypeText(Box(d), u"new\r\ntext\r\n\r\n  ");
             zsys::input::Click(zsys::GetDlgItem(d, IDOK));
         },
         true, u"new\ntext"},
        {"OK on a cleared box",
         [](HWND d) {
             zsys::input::TypeText(Box(d), u"");
             zsys::input::Click(zsys::GetDlgItem(d, IDOK));
         },
         true, u""},
        {"Enter in the box, then OK",
         [](HWND d) {
             zsys::input::PressKey(d, VK_RETURN);
             zsys::input::TypeText(Box(d), zsys::WindowText(Box(d)) + u"more");
             zsys::input::Click(zsys::GetDlgItem(d, IDOK));
         },
         true, u"old\nmore"},
        {"Cancel",
         [](HWND d) {
             zsys::input::TypeText(Box(d), u"typed");
             zsys::input::Click(zsys::GetDlgItem(d, IDCANCEL));
         },
         false, u"old"},
        {"the close box",
         [](HWND d) {
             zsys::input::TypeText(Box(d), u"typed");
             zsys::input::CloseBox(d);
         },
         false, u"old"},
        {"Escape",
         [](HWND d) {
             zsys::input::TypeText(Box(d), u"typed");
             zsys::input::PressKey(d, VK_ESCAPE);
         },
         false, u"old"},
        {"nothing done", nullptr, false, u"old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CollectionElement note = Note(u"old");
        EXPECT_EQ(Edit(note, c.script), c.changed);
        EXPECT_EQ(note.Text(), c.text);
    }
}

TEST_F(NoteEditDialog, EnterInTheBoxAddsALineAndKeepsTheDialogOpen) {
    CollectionElement note = Note(u"a");
    bool open = false;
    Edit(note, [&](HWND d) {
        zsys::input::PressKey(d, VK_RETURN);
        open = !zsys::input::DialogEnded(d);
        EXPECT_EQ(zsys::WindowText(Box(d)), u"a\r\n");
        zsys::input::CloseBox(d);
    });
    EXPECT_TRUE(open);
}

TEST_F(NoteEditDialog, OpensAtThePointerOr300PixelsLeftOfItFrom400PixelsRightOfTheHostWindow) {
    HWND window = nullptr;
    zsys::ComPtr<ZeltCore::IHostFrame> frame;
    ASSERT_EQ(host_.View().Frame(frame.put()), S_OK);
    ASSERT_EQ(frame->Window(&window), S_OK);
    const RECT host = zsys::WindowRect(window);
    for (const auto& [right, left] : {std::pair{399, 399}, std::pair{400, 100}, std::pair{0, 0}}) {
        SCOPED_TRACE(right);
        zsys::SetCursorPos({host.left + right, host.top + 50});
        CollectionElement note = Note(u"x");
        driver_.shown.clear();
        Edit(note, nullptr);
        ASSERT_EQ(driver_.shown.size(), 1u);
        EXPECT_EQ(driver_.shown[0].rect.left, host.left + left);
        EXPECT_EQ(driver_.shown[0].rect.top, host.top + 50);
    }
}

TEST_F(NoteEditDialog, WithoutADriverOrAHostWindowTheNoteStaysAsItWas) {
    zsys::InstallDesktopDriver(nullptr);
    CollectionElement note = Note(u"kept");
    EXPECT_FALSE(NodeAskDialog::Edit(host_.View(), language_, note)) << "a dialog that cannot be shown";
    EXPECT_EQ(note.Text(), u"kept");
    zsys::InstallDesktopDriver(&driver_);
    host_.Faults().Fail("IHostFrame.Window", E_UNEXPECTED);
    EXPECT_THROW(Edit(note, nullptr), zsys::ComError);
    EXPECT_TRUE(driver_.shown.empty()) << "raised before the dialog is built";
}
