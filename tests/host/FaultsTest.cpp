// Planted failures: the plan itself, and every host operation honouring it.
#include "host/Faults.h"
#include "host/ZeltHost.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using zsys::Bstr;
using zsys::ComPtr;
using zsys::Variant;
namespace city = hosttest::city;

namespace {
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005);
constexpr HRESULT E_SHARING = static_cast<HRESULT>(0x80070020);
} // namespace

TEST(Faults, Fail_FromTheKthCallOnFailsEveryLaterCall) {
    host::Faults faults;
    faults.Fail("IHostTable.ObjectByStableId", E_ACCESSDENIED, 3);
    EXPECT_EQ(faults.Enter("IHostTable.ObjectByStableId"), std::nullopt);
    EXPECT_EQ(faults.Enter("IHostTable.ObjectByStableId"), std::nullopt);
    EXPECT_EQ(faults.Enter("IHostTable.ObjectByStableId"), E_ACCESSDENIED);
    EXPECT_EQ(faults.Enter("IHostTable.ObjectByStableId"), E_ACCESSDENIED);
    EXPECT_EQ(faults.Enter("IHostView.Database"), std::nullopt) << "other operations are not touched";
    EXPECT_EQ(faults.Calls("IHostTable.ObjectByStableId"), 4u);
}

TEST(Faults, Fail_ForAFewCallsThenServesAgain) {
    host::Faults faults;
    faults.Fail("IHostBase.Name", E_SHARING, 2, 1);
    EXPECT_EQ(faults.Enter("IHostBase.Name"), std::nullopt);
    EXPECT_EQ(faults.Enter("IHostBase.Name"), E_SHARING);
    EXPECT_EQ(faults.Enter("IHostBase.Name"), std::nullopt);
    faults.Fail("IHostBase.Name", E_FAIL, 1, 2);
    EXPECT_EQ(faults.Calls("IHostBase.Name"), 0u) << "a new plan counts afresh";
    EXPECT_EQ(faults.Enter("IHostBase.Name"), E_FAIL);
    EXPECT_EQ(faults.Enter("IHostBase.Name"), E_FAIL);
    EXPECT_EQ(faults.Enter("IHostBase.Name"), std::nullopt);
}

TEST(Faults, YieldNothing_AnswersSOkAndClearForgetsThePlan) {
    host::Faults faults;
    faults.YieldNothing("IHostView.Factory");
    faults.Fail("IHostView.Database", E_FAIL);
    EXPECT_EQ(faults.Enter("IHostView.Factory"), S_OK);
    faults.Clear("IHostView.Factory");
    EXPECT_EQ(faults.Enter("IHostView.Factory"), std::nullopt);
    EXPECT_EQ(faults.Enter("IHostView.Database"), E_FAIL);
    faults.Clear();
    EXPECT_EQ(faults.Enter("IHostView.Database"), std::nullopt);
}

TEST(Faults, APlannedFailureMustFailAndCountFromTheFirstCall) {
    host::Faults faults;
    EXPECT_THROW(faults.Fail("IHostView.Database", S_FALSE), std::invalid_argument);
    EXPECT_THROW(faults.Fail("IHostView.Database", E_FAIL, 0), std::invalid_argument);
    EXPECT_EQ(faults.Enter("IHostView.Database"), std::nullopt);
}

namespace {
class PlantedFaults : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a failed call leaked an object";
    }

    ZeltCore::IHostView* View() { return &zelt.View(); }
    host::Faults& Faults() { return zelt.Faults(); }

    ComPtr<ZeltCore::IHostBase> Base() {
        ComPtr<ZeltCore::IHostBase> base;
        EXPECT_EQ(View()->CurrentBase(base.put()), S_OK);
        return base;
    }
    ComPtr<ZeltCore::IHostDatabase> Database() {
        ComPtr<ZeltCore::IHostDatabase> database;
        EXPECT_EQ(View()->Database(database.put()), S_OK);
        return database;
    }
    ComPtr<ZeltCore::IHostTable> Companies() {
        ComPtr<IUnknown> table;
        EXPECT_EQ(Database()->Table(Bstr(u"zelt_org").get(), table.put()), S_OK);
        return table.as<ZeltCore::IHostTable>();
    }
    ComPtr<ZeltCore::IHostDirObject> Cafe() {
        ComPtr<ZeltCore::IHostDirObject> cafe;
        EXPECT_EQ(Companies()->ObjectByStableId(city::kCafeStable, cafe.put()), S_OK);
        return cafe;
    }
    ComPtr<ZeltCore::IHostFactory> Factory() {
        ComPtr<ZeltCore::IHostFactory> factory;
        EXPECT_EQ(View()->Factory(factory.put()), S_OK);
        return factory;
    }
    HRESULT CreateImage(ComPtr<IUnknown>& image) {
        zsys::SafeArray png(zsys::MakeByteArray(hosttest::MakePng(3, 3)));
        return Factory()->CreateImageFromPng(png.get(), image.put());
    }
    ComPtr<IUnknown> Collection() {
        ComPtr<IUnknown> collection;
        EXPECT_EQ(Factory()->CreateImageCollection(collection.put()), S_OK);
        return collection;
    }

    host::ZeltHost zelt{{"", 0, hosttest::TestCityPath()}};
};
} // namespace

TEST_F(PlantedFaults, EveryHostOperationFailsWithThePlantedResult) {
    // Each operation as a plug-in calls it, with everything it needs made beforehand.
    using namespace ZeltCore;
    const Bstr key(u"zelt_org"), text(u"name");
    const auto base = Base();
    const auto database = Database();
    const auto table = Companies();
    const auto cafe = Cafe();
    const auto images = Collection().as<IHostImageCollection>();
    const auto edit = images.as<IHostImageCollectionEdit>();
    ComPtr<IUnknown> image;
    ASSERT_EQ(CreateImage(image), S_OK);
    ComPtr<IHostFrame> frame;
    ASSERT_EQ(View()->Frame(frame.put()), S_OK);
    ComPtr<IHostTabs> tabs;
    ASSERT_EQ(frame->Tabs(tabs.put()), S_OK);
    const Bstr tabName(u"Zelt.SearchTab");
    ComPtr<IUnknown> tab, group;
    ASSERT_EQ(tabs->Tab(tabName.get(), tab.put()), S_OK);
    const auto searchTab = tab.as<IHostSearchTab>();
    ASSERT_EQ(searchTab->CreateGroup(3, text.get(), nullptr, nullptr, group.put()), S_OK);
    const auto appearance = group.as<IHostSearchGroupAppearance>();
    // clang-format off
    const std::vector<std::pair<std::string, std::function<HRESULT()>>> operations{
        {"IHostView.CurrentBase", [&] { ComPtr<IHostBase> p; return View()->CurrentBase(p.put()); }},
        {"IHostView.Database", [&] { ComPtr<IHostDatabase> p; return View()->Database(p.put()); }},
        {"IHostView.Factory", [&] { ComPtr<IHostFactory> p; return View()->Factory(p.put()); }},
        {"IHostBase.Name", [&] { Bstr s; return base->Name(s.put()); }},
        {"IHostBase.FilePath", [&] { Bstr s; return base->FilePath(s.put()); }},
        {"IHostDatabase.Table", [&] { ComPtr<IUnknown> t; return database->Table(key.get(), t.put()); }},
        {"IHostTable.ObjectByStableId",
            [&] { ComPtr<IHostDirObject> o; return table->ObjectByStableId(city::kCafeStable, o.put()); }},
        {"IHostDirObject.Id", [&] { LONG id; return cafe->Id(&id); }},
        {"IHostDirObject.Type", [&] { Bstr s; return cafe->Type(s.put()); }},
        {"IHostDirObject.Attribute", [&] { Variant v; return cafe->Attribute(text.get(), v.put()); }},
        {"IHostFactory.CreateImageFromPng", [&] { ComPtr<IUnknown> i; return CreateImage(i); }},
        {"IHostFactory.CreateImageCollection",
            [&] { ComPtr<IUnknown> c; return Factory()->CreateImageCollection(c.put()); }},
        {"IHostImage.Size", [&] { LONG w, h; return image.as<IHostImage>()->Size(&w, &h); }},
        {"IHostImageCollection.Image",
            [&] { ComPtr<IUnknown> i; return images->Image(text.get(), i.put()); }},
        {"IHostImageCollection.Count", [&] { LONG n; return images->Count(&n); }},
        {"IHostImageCollectionEdit.Add", [&] { return edit->Add(text.get(), image.get()); }},
        {"IHostImageCollectionEdit.Commit", [&] { return edit->Commit(); }},
        {"IHostView.Frame", [&] { ComPtr<IHostFrame> f; return View()->Frame(f.put()); }},
        {"IHostFrame.Tabs", [&] { ComPtr<IHostTabs> t; return frame->Tabs(t.put()); }},
        {"IHostFrame.Window", [&] { HWND w; return frame->Window(&w); }},
        {"IHostTabs.Tab", [&] { ComPtr<IUnknown> t; return tabs->Tab(tabName.get(), t.put()); }},
        {"IHostSearchTab.CreateGroup",
            [&] { ComPtr<IUnknown> g; return searchTab->CreateGroup(3, text.get(), nullptr, nullptr, g.put()); }},
        {"IHostSearchGroup.AddControl", [&] { return group.as<IHostSearchGroup>()->AddControl(image.get()); }},
        {"IHostSearchGroupAppearance.SetImage", [&] { return appearance->SetImage(image.get()); }},
        {"IHostSearchGroupAppearance.SetDescription", [&] { return appearance->SetDescription(text.get()); }},
        {"IHostSearchGroupAppearance.SetClearTexts",
            [&] { return appearance->SetClearTexts(text.get(), text.get()); }},
        {"IHostSearchGroupAppearance.SetPromptTexts",
            [&] { return appearance->SetPromptTexts(text.get(), text.get()); }},
        {"IHostSearchGroupAppearance.SetResultTexts",
            [&] { return appearance->SetResultTexts(text.get(), text.get()); }},
        {"IHostSearchGroupIcon.SetIcon", [&] { return group.as<IHostSearchGroupIcon>()->SetIcon(image.get()); }},
        {"IHostSearchGroupButtons.AddButton",
            [&] { return group.as<IHostSearchGroupButtons>()->AddButton(image.get()); }},
    };
    // clang-format on
    for (const auto& [name, call] : operations) {
        EXPECT_TRUE(SUCCEEDED(call())) << name << " without a plan";
        Faults().Fail(name, E_ACCESSDENIED);
        EXPECT_EQ(call(), E_ACCESSDENIED) << name;
        EXPECT_EQ(Faults().Calls(name), 1u) << name;
        Faults().Clear();
    }
}

TEST_F(PlantedFaults, AFailingCallHandsOutNothing) {
    Faults().Fail("IHostView.Database", E_SHARING);
    ZeltCore::IHostDatabase* database = reinterpret_cast<ZeltCore::IHostDatabase*>(0x1);
    EXPECT_EQ(View()->Database(&database), E_SHARING);
    EXPECT_EQ(database, nullptr);
    Faults().Clear();

    Faults().Fail("IHostDirObject.Attribute", E_FAIL);
    VARIANT value;
    value.vt = VT_I4;
    EXPECT_EQ(Cafe()->Attribute(Bstr(u"fil_1").get(), &value), E_FAIL);
    EXPECT_EQ(value.vt, VT_EMPTY);
}

TEST_F(PlantedFaults, YieldNothing_SucceedsWithoutAnObjectOrValue) {
    Faults().YieldNothing("IHostFactory.CreateImageFromPng");
    ComPtr<IUnknown> image;
    EXPECT_EQ(CreateImage(image), S_OK);
    EXPECT_FALSE(image);

    Faults().YieldNothing("IHostTable.ObjectByStableId");
    ComPtr<ZeltCore::IHostDirObject> cafe;
    EXPECT_EQ(Companies()->ObjectByStableId(city::kCafeStable, cafe.put()), S_OK);
    EXPECT_FALSE(cafe);
    Faults().Clear();

    Faults().YieldNothing("IHostDirObject.Attribute");
    Variant value;
    EXPECT_EQ(Cafe()->Attribute(Bstr(u"fil_count").get(), value.put()), S_OK);
    EXPECT_EQ(value.type(), VT_EMPTY);

    Faults().YieldNothing("IHostImageCollectionEdit.Add");
    const auto collection = Collection();
    ASSERT_EQ(CreateImage(image), S_OK);
    EXPECT_EQ(collection.as<ZeltCore::IHostImageCollectionEdit>()->Add(Bstr(u"a").get(), image.get()), S_OK);
    EXPECT_EQ(collection.as<ZeltCore::IHostImageCollectionEdit>()->Commit(), S_OK);
    LONG count = -1;
    EXPECT_EQ(collection.as<ZeltCore::IHostImageCollection>()->Count(&count), S_OK);
    EXPECT_EQ(count, 0) << "the image was never taken";
}

TEST_F(PlantedFaults, LookUpsFailFromTheThirdOnAsAPluginLoadingNotesWouldMeetThem) {
    const auto companies = Companies();
    Faults().Fail("IHostTable.ObjectByStableId", E_SHARING, 3);
    std::vector<HRESULT> results;
    for (const LONG stableId :
         {city::kCafeStable, city::kDentistStable, city::kTaxisStable, city::kEdgeStable}) {
        ComPtr<ZeltCore::IHostDirObject> company;
        results.push_back(companies->ObjectByStableId(stableId, company.put()));
        EXPECT_EQ(bool(company), results.back() == S_OK);
    }
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK, E_SHARING, E_SHARING}));
}
