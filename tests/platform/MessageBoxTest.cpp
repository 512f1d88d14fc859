#include "platform/ui/MessageBox.h"
#include "platform/ui/DesktopDriver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {
struct Recorder : zsys::DesktopDriver {
    int MessageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) override {
        shown = std::u16string(text) + u"|" + std::u16string(caption);
        lastType = type;
        return IDNO;
    }
    void RunModal(HWND) override {}
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest&) override { return std::nullopt; }
    std::u16string shown;
    UINT lastType = 0;
};
} // namespace

TEST(MessageBox, WithoutDriverAnswersTheDefaultButton) {
    ASSERT_EQ(zsys::CurrentDesktopDriver(), nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
}

TEST(MessageBox, InstalledDriverIsAskedAndCanBeRemoved) {
    Recorder recorder;
    EXPECT_EQ(zsys::InstallDesktopDriver(&recorder), nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, u"coudn't load nodes", u"ERROR", MB_OK), IDNO);
    EXPECT_EQ(recorder.shown, u"coudn't load nodes|ERROR");
    EXPECT_EQ(recorder.lastType, MB_OK);
    EXPECT_EQ(zsys::InstallDesktopDriver(nullptr), &recorder);
}
