// The settings button's COM surface where the host can meet it without a controller: no
// command, no image, no tooltip.
#include "settings/RibbonGroupButton.h"

#include <gtest/gtest.h>

namespace {
struct Counting final : RibbonGroupButton::Command {
    void Execute() override { ++runs; }
    int runs = 0;
};
} // namespace

TEST(RibbonGroupButton, RunsItsCommandAndStandsInForWhatItLacks) {
    const auto command = std::make_shared<Counting>();
    const auto button = zsys::Make<RibbonGroupButton>(u"tag", u"Configure", u"", nullptr, command);
    const auto action = button.as<ZeltCore::ICommandAction>();
    EXPECT_EQ(action->Execute(), S_OK);
    EXPECT_EQ(command->runs, 1);

    zsys::Bstr tooltip;
    EXPECT_EQ(button->Tooltip(tooltip.put()), S_OK);
    EXPECT_EQ(tooltip.str(), u"Configure") << "an empty tooltip shows the caption";
    IUnknown* image = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(button->Image(&image), E_FAIL);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(button->Image(nullptr), E_POINTER);
    EXPECT_EQ(button->Tag(nullptr), E_POINTER);

    const auto idle = zsys::Make<RibbonGroupButton>(u"tag", u"c", u"t", nullptr, nullptr);
    EXPECT_EQ(idle.as<ZeltCore::ICommandAction>()->Execute(), S_OK)
        << "a button without a command does nothing";
}
