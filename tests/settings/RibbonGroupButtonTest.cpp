// The settings button's COM surface where the host can meet it without a controller: no
// command, no image, no tooltip. That a press runs its command is seen through the host's shell.
#include "settings/RibbonGroupButton.h"

#include <gtest/gtest.h>

namespace {
zsys::ComPtr<RibbonGroupButton> Button() {
    return zsys::Make<RibbonGroupButton>(u"tag", u"Configure", u"", nullptr, nullptr);
}
} // namespace

TEST(RibbonGroupButton, WithoutACommandExecuteDoesNothing) {
    EXPECT_EQ(Button().as<ZeltCore::ICommandAction>()->Execute(), S_OK);
}

TEST(RibbonGroupButton, AnEmptyTooltipShowsTheCaption) {
    zsys::Bstr tooltip;
    EXPECT_EQ(Button()->Tooltip(tooltip.put()), S_OK);
    EXPECT_EQ(tooltip.str(), u"Configure");
    EXPECT_EQ(Button()->Tag(nullptr), E_POINTER);
}

TEST(RibbonGroupButton, WithoutAnImageAnswersNone) {
    IUnknown* image = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(Button()->Image(&image), E_FAIL);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(Button()->Image(nullptr), E_POINTER);
}
