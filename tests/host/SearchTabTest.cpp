// The main window, its tabs and the search tab with its groups, as a plug-in reaches and
// furnishes them: what a group records, the sides it answers, what it refuses, planted
// faults, and the accounting of what passes between the plug-in and the host.
#include "host/HostImage.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/ZeltHost.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using zsys::Bstr;
using zsys::ComPtr;
using namespace ZeltCore;

namespace {
// Two interfaces of a plug-in's object, so that the second one's pointer is not the
// object's identity.
struct IFakeAppearance : IUnknown {
    static constexpr IID iid = zsys::Guid("{5C0F4D7E-61B2-4C39-9A57-0D3E8B1F2A64}");
    virtual int Caption() = 0;
};
struct IFakeCommand : IUnknown {
    static constexpr IID iid = zsys::Guid("{A1E6D3C2-7F45-4B18-8C90-3D2E5F6A7B81}");
    virtual int Run() = 0;
};

// A button or control of the plug-in. It may hold on to its group, as a search control
// that refreshes its group does.
class FakePluginObject : public zsys::ComObject<FakePluginObject, IFakeAppearance, IFakeCommand> {
public:
    explicit FakePluginObject(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    int Caption() override { return 1; }
    int Run() override { return 2; }
    // The object's identity.
    IUnknown* Unknown() { return static_cast<IFakeAppearance*>(this); }
    // The object as its second interface, as a plug-in may hand it over.
    IUnknown* AsCommand() { return static_cast<IFakeCommand*>(this); }
    ComPtr<IUnknown> group;

private:
    ~FakePluginObject() override {
        if (destroyed_) *destroyed_ = true;
    }
    bool* destroyed_;
};

class SearchTab : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a host object leaked"; }

    ComPtr<IHostFrame> Frame() {
        ComPtr<IHostFrame> frame;
        EXPECT_EQ(zelt.View().Frame(frame.put()), S_OK);
        return frame;
    }
    ComPtr<IHostTabs> Tabs() {
        ComPtr<IHostTabs> tabs;
        EXPECT_EQ(Frame()->Tabs(tabs.put()), S_OK);
        return tabs;
    }
    ComPtr<IUnknown> TabNamed(BSTR name, HRESULT* hr) {
        ComPtr<IUnknown> tab;
        *hr = Tabs()->Tab(name, tab.put());
        return tab;
    }
    ComPtr<IHostSearchTab> Tab() {
        HRESULT hr = E_FAIL;
        const auto tab = TabNamed(Bstr(u"Zelt.SearchTab").get(), &hr);
        EXPECT_EQ(hr, S_OK);
        return tab.as<IHostSearchTab>();
    }
    ComPtr<IUnknown> CreateGroup(std::u16string_view id, LONG kind = 3) {
        ComPtr<IUnknown> group;
        EXPECT_EQ(Tab()->CreateGroup(kind, Bstr(id).get(), Bstr(u"100SearchGroup").get(),
                                     Bstr(u"Notes").get(), group.put()),
                  S_OK);
        return group;
    }
    ComPtr<IUnknown> Image(int width, int height) {
        ComPtr<IHostFactory> factory;
        EXPECT_EQ(zelt.View().Factory(factory.put()), S_OK);
        zsys::SafeArray png(zsys::MakeByteArray(hosttest::MakePng(width, height)));
        ComPtr<IUnknown> image;
        EXPECT_EQ(factory->CreateImageFromPng(png.get(), image.put()), S_OK);
        return image;
    }
    const std::vector<ComPtr<host::HostSearchGroup>>& Groups() const {
        return zelt.View().MainFrame().SearchTab().Groups();
    }

    host::ZeltHost zelt{{"", 0, hosttest::TestCityPath()}};
};

IUnknown* IdentityOf(const ComPtr<IUnknown>& object) {
    ComPtr<IUnknown> identity;
    EXPECT_EQ(object->QueryInterface(IUnknown::iid, identity.put_void()), S_OK);
    return identity.get();
}
} // namespace

TEST_F(SearchTab, FrameTabsAndSearchTab_AreTheSameObjectsEveryTime) {
    EXPECT_EQ(Frame().get(), Frame().get());
    EXPECT_EQ(Tabs().get(), Tabs().get());
    const auto tab = Tab();
    ASSERT_TRUE(tab);
    EXPECT_EQ(tab.get(), Tab().get());
    HRESULT hr = E_FAIL;
    EXPECT_EQ(IdentityOf(TabNamed(Bstr(u"Zelt.SearchTab").get(), &hr)),
              IdentityOf(ComPtr<IUnknown>(tab.get())))
        << "the tab comes as its identity";
}

TEST_F(SearchTab, Window_IsAStableNonNullHandle) {
    HWND first = nullptr, second = nullptr;
    ASSERT_EQ(Frame()->Window(&first), S_OK);
    ASSERT_EQ(Frame()->Window(&second), S_OK);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(first, second);
}

TEST_F(SearchTab, Tab_OnlyTheSearchTabIsKnown) {
    for (BSTR name : {Bstr(u"Zelt.MapTab").Detach(), Bstr(u"zelt.searchtab").Detach(),
                      Bstr(u"Zelt.SearchTab ").Detach(), Bstr(u"").Detach(), BSTR(nullptr)}) {
        IUnknown* tab = reinterpret_cast<IUnknown*>(0x1);
        EXPECT_EQ(Tabs()->Tab(name, &tab), S_FALSE) << (name ? "named" : "null");
        EXPECT_EQ(tab, nullptr);
        SysFreeString(name);
    }
}

TEST_F(SearchTab, NullOutArguments_AreRefusedWithEPointer) {
    EXPECT_EQ(zelt.View().Frame(nullptr), E_POINTER);
    EXPECT_EQ(Frame()->Tabs(nullptr), E_POINTER);
    EXPECT_EQ(Frame()->Window(nullptr), E_POINTER);
    EXPECT_EQ(Tabs()->Tab(Bstr(u"Zelt.SearchTab").get(), nullptr), E_POINTER);
    EXPECT_EQ(Tab()->CreateGroup(3, Bstr(u"a").get(), nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_TRUE(Groups().empty()) << "no group is made without a place to put it";
}

TEST_F(SearchTab, CreateGroup_GivesOneObjectAnsweringEverySideOfAGroup) {
    const auto group = CreateGroup(u"VeskNotes.SearchByNode");
    ASSERT_TRUE(group);
    const auto identity = IdentityOf(group);
    EXPECT_EQ(group.get(), identity) << "the group comes as its identity";
    EXPECT_EQ(IdentityOf(ComPtr<IUnknown>(group.as<IHostSearchGroup>().get())), identity);
    EXPECT_EQ(IdentityOf(ComPtr<IUnknown>(group.as<IHostSearchGroupAppearance>().get())), identity);
    EXPECT_EQ(IdentityOf(ComPtr<IUnknown>(group.as<IHostSearchGroupIcon>().get())), identity);
    EXPECT_EQ(IdentityOf(ComPtr<IUnknown>(group.as<IHostSearchGroupButtons>().get())), identity);
    EXPECT_FALSE(group.try_as<IHostSearchTab>());
    ASSERT_EQ(Groups().size(), 1u);
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IHostSearchGroup*>(Groups()[0].get())), identity);
}

TEST_F(SearchTab, Group_RecordsEverythingItIsGiven) {
    const auto group = CreateGroup(u"VeskNotes.SearchByNode", 3);
    const auto appearance = group.as<IHostSearchGroupAppearance>();
    const auto icon = Image(32, 32), image = Image(48, 48);
    EXPECT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(icon.get()), S_OK);
    EXPECT_EQ(appearance->SetImage(image.get()), S_OK);
    EXPECT_EQ(appearance->SetDescription(Bstr(u"Find companies\nby their notes.").get()), S_OK);
    EXPECT_EQ(appearance->SetClearTexts(Bstr(u"Clear ").get(), Bstr(u"Clear").get()), S_OK);
    EXPECT_EQ(appearance->SetPromptTexts(nullptr, Bstr(u"Prompt").get()), S_OK);
    EXPECT_EQ(appearance->SetResultTexts(Bstr(u"Note search.").get(), Bstr(u"You were looking for:").get()),
              S_OK);

    const host::HostSearchGroup& recorded = *Groups().at(0).get();
    EXPECT_EQ(recorded.Kind(), 3);
    EXPECT_EQ(recorded.Id(), u"VeskNotes.SearchByNode");
    EXPECT_EQ(recorded.Placement(), u"100SearchGroup");
    EXPECT_EQ(recorded.Caption(), u"Notes");
    EXPECT_EQ(recorded.Description(), u"Find companies\nby their notes.");
    ASSERT_TRUE(recorded.ClearTexts() && recorded.PromptTexts() && recorded.ResultTexts());
    EXPECT_EQ(recorded.ClearTexts()->first, u"Clear ") << "blanks are kept";
    EXPECT_EQ(recorded.ClearTexts()->second, u"Clear");
    EXPECT_EQ(recorded.PromptTexts()->first, u"") << "a null text is the empty text";
    EXPECT_EQ(recorded.PromptTexts()->second, u"Prompt");
    EXPECT_EQ(recorded.ResultTexts()->first, u"Note search.");
    EXPECT_EQ(recorded.ResultTexts()->second, u"You were looking for:");
    EXPECT_EQ(recorded.Icon().get(), icon.get());
    EXPECT_EQ(recorded.Image().get(), image.get());

    // A later call replaces what the one before gave.
    EXPECT_EQ(appearance->SetImage(icon.get()), S_OK);
    EXPECT_EQ(appearance->SetClearTexts(Bstr(u"Reset").get(), nullptr), S_OK);
    EXPECT_EQ(recorded.Image().get(), icon.get());
    EXPECT_EQ(recorded.ClearTexts()->first, u"Reset");
    EXPECT_EQ(recorded.ClearTexts()->second, u"");
    EXPECT_EQ(dynamic_cast<host::HostImage&>(*image.get()).RefCount(), 1u) << "the replaced image was let go";
}

TEST_F(SearchTab, Group_HoldsButtonsAndControlsByIdentityInOrder) {
    const auto group = CreateGroup(u"VeskNotes.SearchByNode");
    auto button = zsys::Make<FakePluginObject>(), first = zsys::Make<FakePluginObject>(),
         second = zsys::Make<FakePluginObject>();
    // Handed over through their second interface, whose pointer is not their identity.
    EXPECT_EQ(group.as<IHostSearchGroupButtons>()->AddButton(button->AsCommand()), S_OK);
    EXPECT_EQ(group.as<IHostSearchGroup>()->AddControl(first->AsCommand()), S_OK);
    EXPECT_EQ(group.as<IHostSearchGroup>()->AddControl(second->AsCommand()), S_OK);

    const host::HostSearchGroup& recorded = *Groups().at(0).get();
    ASSERT_EQ(recorded.Buttons().size(), 1u);
    ASSERT_EQ(recorded.Controls().size(), 2u);
    EXPECT_EQ(recorded.Buttons()[0].get(), button->Unknown());
    EXPECT_EQ(recorded.Controls()[0].get(), first->Unknown());
    EXPECT_EQ(recorded.Controls()[1].get(), second->Unknown());
    EXPECT_EQ(button->RefCount(), 2u) << "one counted reference each";
    EXPECT_EQ(first->RefCount(), 2u);

    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_EQ(button->RefCount(), 1u);
    EXPECT_EQ(first->RefCount(), 1u);
    EXPECT_EQ(second->RefCount(), 1u);
}

TEST_F(SearchTab, Group_RefusesMissingObjectsAndPicturesThatAreNotHostImages) {
    const auto group = CreateGroup(u"VeskNotes.SearchByNode");
    const auto notAnImage = zsys::Make<FakePluginObject>();
    IUnknown* fake = notAnImage->AsCommand();
    EXPECT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(nullptr), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(fake), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroupAppearance>()->SetImage(nullptr), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroupAppearance>()->SetImage(fake), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroupButtons>()->AddButton(nullptr), E_INVALIDARG);
    EXPECT_EQ(group.as<IHostSearchGroup>()->AddControl(nullptr), E_INVALIDARG);
    const host::HostSearchGroup& recorded = *Groups().at(0).get();
    EXPECT_FALSE(recorded.Icon());
    EXPECT_FALSE(recorded.Image());
    EXPECT_TRUE(recorded.Buttons().empty());
    EXPECT_TRUE(recorded.Controls().empty());
    EXPECT_EQ(notAnImage->RefCount(), 1u);
}

TEST_F(SearchTab, CreateGroup_KeepsGroupsInTheOrderMadeAndRefusesAnEmptyId) {
    CreateGroup(u"B.Second");
    CreateGroup(u"A.First", 1);
    for (BSTR id : {Bstr(u"").Detach(), BSTR(nullptr)}) {
        IUnknown* group = reinterpret_cast<IUnknown*>(0x1);
        EXPECT_EQ(Tab()->CreateGroup(3, id, nullptr, nullptr, &group), E_INVALIDARG);
        EXPECT_EQ(group, nullptr);
        SysFreeString(id);
    }
    ASSERT_EQ(Groups().size(), 2u);
    EXPECT_EQ(Groups()[0]->Id(), u"B.Second");
    EXPECT_EQ(Groups()[1]->Id(), u"A.First");
    EXPECT_EQ(Groups()[1]->Kind(), 1);
}

TEST_F(SearchTab, CreateGroup_SameIdTakesTheOldGroupsPlaceAndTheOldOneLetsGo) {
    const auto old = CreateGroup(u"VeskNotes.SearchByNode");
    CreateGroup(u"Other.Group");
    bool buttonGone = false;
    {
        const auto button = zsys::Make<FakePluginObject>(&buttonGone);
        ASSERT_EQ(old.as<IHostSearchGroupButtons>()->AddButton(button->Unknown()), S_OK);
    }
    ASSERT_EQ(old.as<IHostSearchGroupIcon>()->SetIcon(Image(4, 4).get()), S_OK);

    const auto renewed = CreateGroup(u"VeskNotes.SearchByNode", 7);
    ASSERT_NE(renewed.get(), old.get());
    ASSERT_EQ(Groups().size(), 2u);
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IHostSearchGroup*>(Groups()[0].get())), renewed.get());
    EXPECT_EQ(Groups()[0]->Kind(), 7);
    EXPECT_EQ(Groups()[1]->Id(), u"Other.Group");
    EXPECT_TRUE(buttonGone) << "the replaced group let go of the plug-in's button";
    EXPECT_EQ(zelt.ForeignHostReferences(), 2)
        << "the replaced group, which only the plug-in holds, and the plug-in's reference to the new one";
}

TEST_F(SearchTab, FailedCalls_HandOutAndRecordNothing) {
    constexpr HRESULT kDenied = static_cast<HRESULT>(0x80070005);
    const auto group = CreateGroup(u"VeskNotes.SearchByNode");
    const auto appearance = group.as<IHostSearchGroupAppearance>();
    const auto image = Image(2, 2);
    const auto button = zsys::Make<FakePluginObject>();
    const Bstr text(u"text");
    // clang-format off
    const std::vector<std::pair<std::string, std::function<HRESULT()>>> setters{
        {"IHostSearchGroup.AddControl", [&] { return group.as<IHostSearchGroup>()->AddControl(button->Unknown()); }},
        {"IHostSearchGroupButtons.AddButton",
            [&] { return group.as<IHostSearchGroupButtons>()->AddButton(button->Unknown()); }},
        {"IHostSearchGroupIcon.SetIcon", [&] { return group.as<IHostSearchGroupIcon>()->SetIcon(image.get()); }},
        {"IHostSearchGroupAppearance.SetImage", [&] { return appearance->SetImage(image.get()); }},
        {"IHostSearchGroupAppearance.SetDescription", [&] { return appearance->SetDescription(text.get()); }},
        {"IHostSearchGroupAppearance.SetClearTexts", [&] { return appearance->SetClearTexts(text.get(), text.get()); }},
        {"IHostSearchGroupAppearance.SetPromptTexts",
            [&] { return appearance->SetPromptTexts(text.get(), text.get()); }},
        {"IHostSearchGroupAppearance.SetResultTexts",
            [&] { return appearance->SetResultTexts(text.get(), text.get()); }},
    };
    // clang-format on
    for (const auto& [name, call] : setters) {
        zelt.Faults().Fail(name, kDenied);
        EXPECT_EQ(call(), kDenied) << name;
        zelt.Faults().YieldNothing(name);
        EXPECT_EQ(call(), S_OK) << name;
    }
    zelt.Faults().Clear();
    const host::HostSearchGroup& recorded = *Groups().at(0).get();
    EXPECT_TRUE(recorded.Controls().empty());
    EXPECT_TRUE(recorded.Buttons().empty());
    EXPECT_FALSE(recorded.Icon());
    EXPECT_FALSE(recorded.Image());
    EXPECT_EQ(recorded.Description(), u"");
    EXPECT_FALSE(recorded.ClearTexts() || recorded.PromptTexts() || recorded.ResultTexts());

    zelt.Faults().Fail("IHostSearchTab.CreateGroup", kDenied);
    IUnknown* refused = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(Tab()->CreateGroup(3, Bstr(u"Another").get(), nullptr, nullptr, &refused), kDenied);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(Groups().size(), 1u);
}

TEST_F(SearchTab, YieldNothing_GivesNoFrameTabsTabGroupOrWindow) {
    const auto frame = Frame();
    const auto tabs = Tabs();
    const auto tab = Tab();
    for (const char* name : {"IHostView.Frame", "IHostFrame.Tabs", "IHostFrame.Window", "IHostTabs.Tab",
                             "IHostSearchTab.CreateGroup"})
        zelt.Faults().YieldNothing(name);
    IHostFrame* noFrame = reinterpret_cast<IHostFrame*>(0x1);
    EXPECT_EQ(zelt.View().Frame(&noFrame), S_OK);
    EXPECT_EQ(noFrame, nullptr);
    IHostTabs* noTabs = reinterpret_cast<IHostTabs*>(0x1);
    EXPECT_EQ(frame->Tabs(&noTabs), S_OK);
    EXPECT_EQ(noTabs, nullptr);
    HWND noWindow = reinterpret_cast<HWND>(0x1);
    EXPECT_EQ(frame->Window(&noWindow), S_OK);
    EXPECT_EQ(noWindow, nullptr);
    IUnknown* noTab = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(tabs->Tab(Bstr(u"Zelt.SearchTab").get(), &noTab), S_OK);
    EXPECT_EQ(noTab, nullptr);
    IUnknown* noGroup = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(tab->CreateGroup(3, Bstr(u"Group").get(), nullptr, nullptr, &noGroup), S_OK);
    EXPECT_EQ(noGroup, nullptr);
    EXPECT_TRUE(Groups().empty());
}

TEST_F(SearchTab, Accounting_CountsWhatThePluginHoldsNotWhatTheTabKeeps) {
    auto frame = Frame();
    auto tabs = Tabs();
    auto tab = Tab();
    EXPECT_EQ(zelt.ForeignHostReferences(), 3) << "the frame, the tabs and the tab";
    frame = nullptr;
    tabs = nullptr;
    tab = nullptr;
    EXPECT_EQ(zelt.ForeignHostReferences(), 0);

    auto group = CreateGroup(u"VeskNotes.SearchByNode");
    auto icon = Image(8, 8);
    ASSERT_EQ(group.as<IHostSearchGroupIcon>()->SetIcon(icon.get()), S_OK);
    ASSERT_EQ(group.as<IHostSearchGroupAppearance>()->SetImage(icon.get()), S_OK);
    EXPECT_EQ(zelt.ForeignHostReferences(), 2) << "the plug-in's references to its group and its icon";
    group = nullptr;
    icon = nullptr;
    EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a group on the tab and its image are the host's";

    const long alive = zsys::ThisModule().LockCount();
    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_EQ(zsys::ThisModule().LockCount(), alive - 2) << "the group and its image are gone";
}

TEST_F(SearchTab, ReleaseGroups_FreesAControlThatHoldsItsGroup) {
    bool controlGone = false;
    {
        const auto group = CreateGroup(u"VeskNotes.SearchByNode");
        const auto control = zsys::Make<FakePluginObject>(&controlGone);
        control->group = group;
        ASSERT_EQ(group.as<IHostSearchGroup>()->AddControl(control->Unknown()), S_OK);
    }
    EXPECT_FALSE(controlGone);
    zelt.View().MainFrame().SearchTab().ReleaseGroups();
    EXPECT_TRUE(controlGone) << "the group let go of its control, which then let go of the group";
    EXPECT_TRUE(Groups().empty());
}

TEST_F(SearchTab, Stop_LetsGoOfEverythingThePluginGaveTheSearchTab) {
    host::ZeltHost running({VESK_PLUGIN_PATH, 1033, hosttest::TestCityPath()});
    running.Load();
    bool buttonGone = false, controlGone = false;
    {
        ComPtr<IHostFrame> frame;
        ASSERT_EQ(running.View().Frame(frame.put()), S_OK);
        ComPtr<IHostTabs> tabs;
        ASSERT_EQ(frame->Tabs(tabs.put()), S_OK);
        ComPtr<IUnknown> tab, group;
        ASSERT_EQ(tabs->Tab(Bstr(u"Zelt.SearchTab").get(), tab.put()), S_OK);
        ASSERT_EQ(tab.as<IHostSearchTab>()->CreateGroup(3, Bstr(u"Fake.Group").get(), nullptr, nullptr,
                                                        group.put()),
                  S_OK);
        ASSERT_EQ(group.as<IHostSearchGroupButtons>()->AddButton(
                      zsys::Make<FakePluginObject>(&buttonGone)->Unknown()),
                  S_OK);
        ASSERT_EQ(
            group.as<IHostSearchGroup>()->AddControl(zsys::Make<FakePluginObject>(&controlGone)->Unknown()),
            S_OK);
    }
    EXPECT_EQ(running.Stop(), S_OK);
    EXPECT_TRUE(buttonGone);
    EXPECT_TRUE(controlGone);
    EXPECT_TRUE(running.View().MainFrame().SearchTab().Groups().empty());
    EXPECT_EQ(running.PluginObjects(), 0);
}
