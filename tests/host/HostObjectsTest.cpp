// The host objects a plug-in reaches from the view, over a small city: the base, the
// tables, directory objects and their attributes, images and image collections, the
// accounting of every object handed out, and the failures planted in every operation.
#include "host/Utf.h"
#include "host/objects/HostSearchTab.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <tuple>

using zsys::Bstr;
using zsys::ComPtr;
using zsys::Variant;
using namespace ZeltCore;
using namespace hosttest;

namespace {
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005);

using HostObjects = HostTest;
using PlantedFaults = HostTest;

Variant Attribute(const ComPtr<IHostDirObject>& object, std::u16string_view name) {
    Variant value;
    EXPECT_EQ(object->Attribute(Bstr(name).get(), value.put()), S_OK) << host::Utf8(name);
    return value;
}

ComPtr<IHostDirObject> ObjectOf(const Variant& value) {
    if (value.type() != VT_UNKNOWN) return nullptr;
    return ComPtr<IUnknown>(value.get().punkVal).try_as<IHostDirObject>();
}

LONG IdOf(const Variant& value) {
    LONG id = -1;
    const auto object = ObjectOf(value);
    EXPECT_TRUE(!object || object->Id(&id) == S_OK);
    return id;
}
} // namespace

TEST(HostBase, NamesTheCityAndItsAbsolutePathAndEveryObjectGoesWithTheHost) {
    const long strings = zsys::LiveBstrCount();
    {
        host::ZeltHost zelt({"", 0, TestfordPath()});
        ComPtr<IHostBase> base;
        ASSERT_EQ(zelt.View().CurrentBase(base.put()), S_OK);
        Bstr name, path;
        EXPECT_EQ(base->Name(name.put()), S_OK);
        EXPECT_EQ(name.view(), u"Testford");
        EXPECT_EQ(base->FilePath(path.put()), S_OK);
        EXPECT_EQ(std::filesystem::path(path.str()), std::filesystem::absolute(TestfordPath()));
        EXPECT_GT(zsys::ThisModule().LockCount(), 0);
    }
    EXPECT_EQ(zsys::ThisModule().LockCount(), 0);
    EXPECT_EQ(zsys::LiveBstrCount(), strings);
}

TEST_F(HostObjects, ObjectByStableId_FindsKnownObjectsAndAnswersSFalseForOthers) {
    using Case = std::tuple<std::u16string_view, LONG, LONG>; // table, stable id, id (0: none)
    for (const auto& [table, stableId, id] :
         {Case{u"zelt_org", testford::kTaxisStable, testford::kTaxis}, // 11, also the café's id
          Case{u"zelt_org", testford::kDentistStable, testford::kDentist},
          Case{u"zelt_org", testford::kEdgeStable, testford::kEdge},
          Case{u"zelt_branch", testford::kCafeBranch1Stable, testford::kCafeBranch1},
          Case{u"zelt_building", testford::kMill14AStable, testford::kMill14A},
          Case{u"zelt_street", testford::kMillStreetStable, testford::kMillStreet},
          Case{u"zelt_org", testford::kDentist, 0}, // an id is no stable id
          Case{u"zelt_org", 0, 0}, Case{u"zelt_org", testford::kCafeBranch1Stable, 0}, // a branch
          Case{u"zelt_org", testford::kMill14AStable, 0}}) {                           // a building
        ComPtr<IHostDirObject> object;
        EXPECT_EQ(TableOf(zelt, table)->ObjectByStableId(stableId, object.put()), id ? S_OK : S_FALSE);
        ASSERT_EQ(bool(object), id != 0) << stableId;
        if (!object) continue;
        LONG found = 0;
        Bstr type;
        EXPECT_EQ(object->Id(&found), S_OK);
        EXPECT_EQ(object->Type(type.put()), S_OK);
        EXPECT_EQ(found, id);
        EXPECT_EQ(type.view(), table);
    }
    ComPtr<IHostDatabase> database;
    ASSERT_EQ(zelt.View().Database(database.put()), S_OK);
    IUnknown* table = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(database->Table(Bstr(u"Zelt_Org").get(), &table), E_INVALIDARG) << "no such table";
    EXPECT_EQ(table, nullptr);
}

TEST_F(HostObjects, Attribute_GivesValuesBranchesInOrderAndTheWayBackAndNothingForAnUnknownName) {
    const auto cafe = CompanyOf(zelt, testford::kCafeStable);
    EXPECT_EQ(Attribute(cafe, u"stable_id").get().lVal, testford::kCafeStable);
    EXPECT_EQ(Attribute(cafe, u"name").ToString(), u"Caf\u00e9 Lumi\u00e8re");
    EXPECT_EQ(IdOf(Attribute(cafe, u"fil_1")), testford::kCafeBranch1);
    EXPECT_EQ(IdOf(Attribute(cafe, u"fil_3")), testford::kCafeBranch3);
    EXPECT_EQ(IdOf(Attribute(cafe, u"addr_feature")), testford::kMill12) << "the first branch's building";

    const auto branch = ObjectOf(Attribute(cafe, u"fil_2"));
    ASSERT_TRUE(branch);
    EXPECT_EQ(IdOf(Attribute(branch, u"org")), testford::kCafe);
    const auto building = ObjectOf(Attribute(branch, u"addr_feature"));
    ASSERT_TRUE(building);
    EXPECT_EQ(Attribute(building, u"name").ToString(), u"14A Mill Street");
    EXPECT_EQ(IdOf(Attribute(building, u"street")), testford::kMillStreet);
    EXPECT_EQ(zelt.ForeignHostReferences(), 3)
        << "the company, and the branch and building handed out in values";

    // Without branches or premises an address is empty, not an error.
    const auto edge = CompanyOf(zelt, testford::kEdgeStable);
    EXPECT_EQ(Attribute(edge, u"fil_count").get().lVal, 0);
    for (const LONG stableId : {testford::kEdgeStable, testford::kTaxisStable, testford::kGhostStable})
        EXPECT_EQ(Attribute(CompanyOf(zelt, stableId), u"addr_feature").type(), VT_EMPTY) << stableId;

    // An attribute that the object lacks is not found, and its value empty.
    for (const Bstr& name :
         {Bstr(u"fil_0"), Bstr(u"fil_4"), Bstr(u"fil_01"), Bstr(u"fil_"), Bstr(u"fil_-1"), Bstr(u"fil_1x"),
          Bstr(u"FIL_1"), Bstr(u"Name"), Bstr(u"org"), Bstr(u""), Bstr(u"fil_99999999999"), Bstr()}) {
        VARIANT value{.vt = VT_I4};
        EXPECT_EQ(cafe->Attribute(name.get(), &value), DISP_E_PARAMNOTFOUND) << host::Utf8(name.view());
        EXPECT_EQ(value.vt, VT_EMPTY);
    }
}

TEST_F(HostObjects, CreateImageFromPng_DecodesASoundPngAndRefusesAnythingElse) {
    ComPtr<IUnknown> image;
    ASSERT_EQ(CreateImage(zelt, MakePng(15, 16), image), S_OK);
    LONG width = 0, height = 0;
    EXPECT_EQ(image.as<IHostImage>()->Size(&width, &height), S_OK);
    EXPECT_EQ(std::pair(width, height), (std::pair<LONG, LONG>(15, 16)));

    const std::vector<std::uint8_t> png = MakePng(15, 16, 0x10203040);
    auto damaged = png;
    damaged[damaged.size() - 20] ^= 0x55; // inside the pixel data: its checksum no longer holds
    const std::vector<std::vector<std::uint8_t>> bad{
        {},
        {'h', 'e', 'l', 'l', 'o'},
        {png.begin(), png.begin() + 8},                    // the signature alone
        {png.begin(), png.begin() + long(png.size() / 2)}, // cut short
        {png.begin(), png.end() - 13},                     // no end chunk, pixels all there
        damaged,
        MakePng(5000, 1), // larger than any icon or mark
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(CreateImage(zelt, bad[i], image), E_INVALIDARG) << i;
        EXPECT_FALSE(image) << i;
    }
}

TEST_F(HostObjects, ImageCollection_ShowsNamedImagesOnlyOnceCommitted) {
    ComPtr<IUnknown> collection;
    ASSERT_EQ(FactoryOf(zelt)->CreateImageCollection(collection.put()), S_OK);
    const auto edit = collection.as<IHostImageCollectionEdit>();
    const auto red = ImageOf(zelt, 15, 16), blue = ImageOf(zelt, 4, 4);
    const Bstr tag(u"MYUNIQUETAG0");
    const auto shown = [&](BSTR name) { // the committed image, null for none
        ComPtr<IUnknown> found;
        const HRESULT hr = collection.as<IHostImageCollection>()->Image(name, found.put());
        EXPECT_EQ(hr, found ? S_OK : S_FALSE);
        return found;
    };
    ASSERT_EQ(edit->Add(tag.get(), red.get()), S_OK);
    EXPECT_FALSE(shown(tag.get())) << "not yet committed";
    ASSERT_EQ(edit->Commit(), S_OK);
    EXPECT_EQ(shown(tag.get()), red);
    EXPECT_FALSE(shown(Bstr(u"MYUNIQUETAG1").get()));

    ASSERT_EQ(edit->Add(tag.get(), blue.get()), S_OK);
    EXPECT_EQ(shown(tag.get()), red) << "the replacement waits for its commit";
    EXPECT_EQ(edit->Add(Bstr(u"t").get(), TableOf(zelt, u"zelt_org").get()), E_INVALIDARG) << "no image";
    EXPECT_EQ(edit->Add(nullptr, red.get()), E_INVALIDARG) << "no name";
    ASSERT_EQ(edit->Commit(), S_OK);
    EXPECT_EQ(shown(tag.get()), blue);
    LONG count = -1;
    EXPECT_EQ(collection.as<IHostImageCollection>()->Count(&count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(zelt.ForeignHostReferences(), 3) << "the collection and both images, kept or not";
}

// A planted failure or nothing yielded hands out nothing: a failing call clears what it was
// given to fill. Checked here for the operations whose results no reference count can
// follow (texts, numbers, windows) and those that no flow of the plug-in's tests plants
// failures in; every other operation meets its failures in those flows, where anything
// handed out in vain would be a host reference left behind.
TEST_F(PlantedFaults, EveryHostOperationFailsWithThePlantedResultOrYieldsNothing) {
    using R = std::pair<HRESULT, bool>; // the result, and whether anything was handed out
    ComPtr<IHostBase> base;
    ASSERT_EQ(zelt.View().CurrentBase(base.put()), S_OK);
    const auto cafe = CompanyOf(zelt, testford::kCafeStable);
    ComPtr<IUnknown> collection;
    ASSERT_EQ(FactoryOf(zelt)->CreateImageCollection(collection.put()), S_OK);
    const auto image = ImageOf(zelt, 3, 3).as<IHostImage>();
    ComPtr<IHostFrame> frame;
    ASSERT_EQ(zelt.View().Frame(frame.put()), S_OK);
    // clang-format off
    const std::vector<std::pair<std::string, std::function<R()>>> operations{
        {"IHostView.CurrentBase", [&] { ComPtr<IHostBase> p; return R{zelt.View().CurrentBase(p.put()), bool(p)}; }},
        {"IHostBase.Name", [&] { Bstr s; return R{base->Name(s.put()), s.get() != nullptr}; }},
        {"IHostBase.FilePath", [&] { Bstr s; return R{base->FilePath(s.put()), s.get() != nullptr}; }},
        {"IHostDirObject.Id", [&] { LONG id = -1; return R{cafe->Id(&id), id != 0}; }},
        {"IHostDirObject.Type", [&] { Bstr s; return R{cafe->Type(s.put()), s.get() != nullptr}; }},
        {"IHostDirObject.Attribute", [&] {
            VARIANT v{.vt = VT_I4};
            const R result{cafe->Attribute(Bstr(u"name").get(), &v), v.vt != VT_EMPTY};
            VariantClear(&v);
            return result; }},
        {"IHostImage.Size", [&] { LONG w = -1, h = -1; return R{image->Size(&w, &h), w != 0 || h != 0}; }},
        {"IHostImageCollection.Count",
            [&] { LONG n = -1; return R{collection.as<IHostImageCollection>()->Count(&n), n != 0}; }},
        {"IHostFrame.Window", [&] { HWND w = HWND(0x1); return R{frame->Window(&w), w != nullptr}; }},
    };
    // clang-format on
    for (const auto& [name, call] : operations) {
        EXPECT_TRUE(SUCCEEDED(call().first)) << name << " without a plan";
        zelt.Faults().Watch(name);
        EXPECT_TRUE(SUCCEEDED(call().first) && zelt.Faults().Calls(name) == 1) << name << " watched";
        zelt.Faults().Fail(name, E_ACCESSDENIED);
        EXPECT_EQ(call(), R(E_ACCESSDENIED, false)) << name;
        EXPECT_EQ(zelt.Faults().Calls(name), 1u) << name;
        zelt.Faults().YieldNothing(name);
        EXPECT_EQ(call(), R(S_OK, false)) << name << " yielding nothing";
        zelt.Faults().Clear();
    }
}

TEST_F(PlantedFaults, LookUpsFailFromTheKthCallForSomeCallsAsAPluginLoadingNotesWouldMeetThem) {
    const auto companies = TableOf(zelt, u"zelt_org");
    host::Faults& faults = zelt.Faults();
    faults.Fail("IHostTable.ObjectByStableId", E_ACCESSDENIED, 2, 2);
    std::vector<HRESULT> results;
    for (const LONG stableId :
         {testford::kCafeStable, testford::kDentistStable, testford::kTaxisStable, testford::kEdgeStable}) {
        ComPtr<IHostDirObject> company;
        results.push_back(companies->ObjectByStableId(stableId, company.put()));
        EXPECT_EQ(bool(company), results.back() == S_OK);
    }
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, E_ACCESSDENIED, E_ACCESSDENIED, S_OK}));
    EXPECT_EQ(faults.Calls("IHostTable.ObjectByStableId"), 4u);
    EXPECT_THROW(faults.Fail("IHostView.Database", S_FALSE), std::invalid_argument) << "a failure must fail";
    EXPECT_THROW(faults.Fail("IHostView.Database", E_FAIL, 0), std::invalid_argument) << "calls count from 1";
}
