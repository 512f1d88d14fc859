// The settings button's COM surface where the host can meet it without a controller: no
// command, no image, no tooltip. That a press runs its command is seen through the host's shell.
#include "settings/RibbonGroupButton.h"

#include <gtest/gtest.h>

TEST(RibbonGroupButton, WithoutCommandImageOrTooltipDoesNothingShowsNoImageAndTheCaption) {
    const auto button = zsys::Make<RibbonGroupButton>(u"tag", u"Configure", u"", nullptr, nullptr);
    EXPECT_EQ(button.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
    zsys::Bstr tooltip;
    EXPECT_EQ(button->Tooltip(tooltip.put()), S_OK);
    EXPECT_EQ(tooltip.str(), u"Configure");
    EXPECT_EQ(button->Tag(nullptr), E_POINTER);
    IUnknown* image = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(button->Image(&image), E_FAIL);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(button->Image(nullptr), E_POINTER);
}
