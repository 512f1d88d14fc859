// A message box with no desktop driver installed; what an installed driver is asked is seen by
// every dialog test and through the host's shell.
#include "platform/ui/MessageBox.h"
#include "platform/ui/DesktopDriver.h"

#include <gtest/gtest.h>

TEST(MessageBox, WithoutDriverAnswersTheDefaultButton) {
    ASSERT_EQ(zsys::CurrentDesktopDriver(), nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
}
