// The search tab and its groups as a plug-in reaches and furnishes them: one object that
// holds what it is given by identity, what it refuses, a group made again, and the
// accounting of what passes between the plug-in and the host. (What a group records is
// printed by the shell's search-tab command, and tested there.)
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

using zsys::Bstr;
using zsys::ComPtr;
using namespace ZeltCore;
using namespace hosttest;

namespace {
IUnknown* IdentityOf(IUnknown* object) {
    ComPtr<IUnknown> identity;
    EXPECT_EQ(object->QueryInterface(IUnknown::iid, identity.put_void()), S_OK);
    return identity.get();
}

class SearchTab : public HostTest {
protected:
    const std::vector<ComPtr<host::HostSearchGroup>>& Groups() const {
        return zelt.View().MainFrame().SearchTab().Groups();
    }
};
} // namespace

TEST_F(SearchTab, Group_IsOneObjectThatHoldsWhatItIsGivenByIdentityAndALaterCallReplacesIt) {
    const auto group = CreateGroup(zelt, u"VeskNotes.SearchByNode");
    ASSERT_EQ(Groups().size(), 1u);
    for (IUnknown* side : std::initializer_list<IUnknown*>{
             static_cast<IUnknown*>(group.as<IHostSearchGroup>().get()),
             group.as<IHostSearchGroupAppearance>().get(), group.as<IHostSearchGroupIcon>().get(),
             group.as<IHostSearchGroupButtons>().get(), static_cast<IHostSearchGroup*>(Groups()[0].get())})
        EXPECT_EQ(IdentityOf(side), group.get()) << "every side of the group comes as its identity";
    const auto icon = ImageOf(zelt, 32, 32), image = ImageOf(zelt, 48, 48);
    const auto button = zsys::Make<FakePluginObject>(), control = zsys::Make<FakePluginObject>();
    EXPECT_EQ(Furnish(group, icon.get(), image.get(), button->Second(), control->Second()),
              std::vector<HRESULT>(7, S_OK));
    EXPECT_EQ(group.as<IHostSearchGroup>()->AddControl(button->Second()), S_OK);
    const host::HostSearchGroup& recorded = *Groups()[0].get();
    EXPECT_EQ(recorded.Buttons().at(0).get(), button->Unknown());
    EXPECT_EQ(recorded.Controls().at(0).get(), control->Unknown());
    EXPECT_EQ(recorded.Controls().at(1).get(), button->Unknown());
    EXPECT_EQ(button->RefCount(), 3u) << "one counted reference each time it was given";

    EXPECT_EQ(group.as<IHostSearchGroupAppearance>()->SetImage(icon.get()), S_OK);
    EXPECT_EQ(recorded.Image(), icon);
    EXPECT_EQ(dynamic_cast<host::HostImage&>(*image.get()).RefCount(), 1u) << "the replaced image was let go";
    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_TRUE(button->RefCount() == 1u && control->RefCount() == 1u);
}

TEST_F(SearchTab, Group_RefusesWhatIsMissingOrNoHostImageAndFailedCallsRecordNothing) {
    const auto group = CreateGroup(zelt, u"VeskNotes.SearchByNode"),
               other = CreateGroup(zelt, u"Other.Group");
    const auto object = zsys::Make<FakePluginObject>();
    EXPECT_EQ(
        Furnish(group, nullptr, nullptr, nullptr, nullptr),
        (std::vector<HRESULT>{E_INVALIDARG, E_INVALIDARG, S_OK, S_OK, S_OK, E_INVALIDARG, E_INVALIDARG}));
    EXPECT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(object->Second()), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroupAppearance>()->SetImage(object->Second()), E_INVALIDARG);

    for (const char* name :
         {"IHostSearchGroupIcon.SetIcon", "IHostSearchGroupAppearance.SetImage",
          "IHostSearchGroupAppearance.SetDescription", "IHostSearchGroupAppearance.SetClearTexts",
          "IHostSearchGroupAppearance.SetPromptTexts", "IHostSearchGroupButtons.AddButton",
          "IHostSearchGroup.AddControl"})
        zelt.Faults().Fail(name, E_FAIL);
    const auto image = ImageOf(zelt, 2, 2);
    EXPECT_EQ(Furnish(other, image.get(), image.get(), object->Unknown(), object->Unknown()),
              std::vector<HRESULT>(7, E_FAIL));
    zelt.Faults().Clear();

    for (const auto& recorded : Groups())
        EXPECT_FALSE(recorded->Icon() || recorded->Image() || recorded->Buttons().size() ||
                     recorded->Controls().size());
    EXPECT_EQ(Groups()[1]->Description(), u"");
    EXPECT_FALSE(Groups()[1]->ClearTexts() || Groups()[1]->PromptTexts());
    EXPECT_EQ(object->RefCount(), 1u);
}

TEST_F(SearchTab, CreateGroup_KeepsTheOrderMadeRefusesAnEmptyIdAndASameIdTakesTheOldOnesPlace) {
    const auto old = CreateGroup(zelt, u"VeskNotes.SearchByNode");
    CreateGroup(zelt, u"Other.Group");
    for (const Bstr& id : {Bstr(u""), Bstr()}) {
        IUnknown* group = reinterpret_cast<IUnknown*>(0x1);
        EXPECT_EQ(SearchTabOf(zelt)->CreateGroup(3, id.get(), nullptr, nullptr, &group), E_INVALIDARG);
        EXPECT_EQ(group, nullptr);
    }
    bool buttonGone = false;
    ASSERT_EQ(Furnish(old, ImageOf(zelt, 4, 4).get(), ImageOf(zelt, 4, 4).get(),
                      zsys::Make<FakePluginObject>(&buttonGone)->Unknown(),
                      zsys::Make<FakePluginObject>()->Unknown()),
              std::vector<HRESULT>(7, S_OK));

    const auto renewed = CreateGroup(zelt, u"VeskNotes.SearchByNode", 7);
    ASSERT_NE(renewed, old);
    ASSERT_EQ(renewed.as<IHostSearchGroupIcon>()->SetIcon(ImageOf(zelt, 8, 8).get()), S_OK);
    ASSERT_EQ(Groups().size(), 2u);
    EXPECT_EQ(IdentityOf(static_cast<IHostSearchGroup*>(Groups()[0].get())), renewed.get());
    EXPECT_EQ(Groups()[0]->Kind(), 7);
    EXPECT_EQ(Groups()[1]->Id(), u"Other.Group");
    EXPECT_TRUE(buttonGone) << "the replaced group let go of the plug-in's button";
    EXPECT_EQ(zelt.ForeignHostReferences(), 2)
        << "the replaced group, which only the plug-in holds, and "
           "the plug-in's reference to the new one, not the tab's icon";
}

TEST(SearchTabStop, LetsGoOfEverythingThePluginGaveTheSearchTab) {
    host::ZeltHost running({VESK_PLUGIN_PATH, 1033, TestfordPath(), TempPath("appdata.tab")});
    running.Load();
    bool buttonGone = false, controlGone = false;
    {
        const auto group = CreateGroup(running, u"Fake.Group");
        const auto control = zsys::Make<FakePluginObject>(&controlGone);
        control->group = group; // a control that holds its group
        ASSERT_EQ(Furnish(group, ImageOf(running, 4, 4).get(), ImageOf(running, 4, 4).get(),
                          zsys::Make<FakePluginObject>(&buttonGone)->Unknown(), control->Unknown()),
                  std::vector<HRESULT>(7, S_OK));
    }
    EXPECT_FALSE(controlGone);
    EXPECT_EQ(running.Stop(), S_OK);
    EXPECT_TRUE(buttonGone);
    EXPECT_TRUE(controlGone) << "the group let go of its control, which then let go of the group";
    EXPECT_TRUE(running.View().MainFrame().SearchTab().Groups().empty());
    EXPECT_EQ(running.PluginObjects(), 0);
    EXPECT_EQ(running.ForeignHostReferences(), 0);
}
