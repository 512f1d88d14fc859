// The host objects a plug-in reaches from the view, over a small city: the base, the
// company table, directory objects and their attributes, images and image collections,
// and the accounting of every object handed out.
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using zsys::Bstr;
using zsys::ComPtr;
using zsys::Variant;
namespace city = hosttest::city;

namespace {
class HostObjects : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(zelt.ForeignHostReferences(), 0) << "a host object leaked"; }

    ZeltCore::IHostView* View() { return &zelt.View(); }

    ComPtr<ZeltCore::IHostTable> Table(std::u16string_view key) {
        ComPtr<ZeltCore::IHostDatabase> database;
        EXPECT_EQ(View()->Database(database.put()), S_OK);
        ComPtr<IUnknown> table;
        EXPECT_EQ(database->Table(Bstr(key).get(), table.put()), S_OK);
        return table.as<ZeltCore::IHostTable>();
    }
    ComPtr<ZeltCore::IHostDirObject> Company(LONG stableId) {
        ComPtr<ZeltCore::IHostDirObject> company;
        EXPECT_EQ(Table(u"zelt_org")->ObjectByStableId(stableId, company.put()), S_OK);
        return company;
    }
    ComPtr<ZeltCore::IHostFactory> Factory() {
        ComPtr<ZeltCore::IHostFactory> factory;
        EXPECT_EQ(View()->Factory(factory.put()), S_OK);
        return factory;
    }
    ComPtr<IUnknown> Image(const std::vector<std::uint8_t>& png, HRESULT* hr = nullptr) {
        zsys::SafeArray bytes(zsys::MakeByteArray(png));
        ComPtr<IUnknown> image;
        const HRESULT result = Factory()->CreateImageFromPng(bytes.get(), image.put());
        if (hr) *hr = result;
        return image;
    }

    host::ZeltHost zelt{{"", 0, hosttest::TestCityPath()}};
};

HRESULT Attribute(const ComPtr<ZeltCore::IHostDirObject>& object, std::u16string_view name, Variant& value) {
    return object->Attribute(Bstr(name).get(), value.put());
}

LONG IdOf(const Variant& value) {
    if (value.type() != VT_UNKNOWN || !value.get().punkVal) return -1;
    const auto object = ComPtr<IUnknown>(value.get().punkVal).as<ZeltCore::IHostDirObject>();
    LONG id = -1;
    EXPECT_EQ(object->Id(&id), S_OK);
    return id;
}

ComPtr<ZeltCore::IHostDirObject> ObjectOf(const Variant& value) {
    if (value.type() != VT_UNKNOWN) return nullptr;
    return ComPtr<IUnknown>(value.get().punkVal).try_as<ZeltCore::IHostDirObject>();
}

// The buildings of a company, found the way the map marks find them: through each
// branch to its building.
std::set<LONG> BuildingsOf(const ComPtr<ZeltCore::IHostDirObject>& company) {
    std::set<LONG> buildings;
    Variant count;
    EXPECT_EQ(Attribute(company, u"fil_count", count), S_OK);
    EXPECT_EQ(count.type(), VT_I4);
    for (LONG k = 1; k <= count.get().lVal; ++k) {
        Variant branch, feature;
        EXPECT_EQ(Attribute(company, u"fil_" + std::u16string(1, char16_t(u'0' + k)), branch), S_OK);
        const auto branchObject = ObjectOf(branch);
        EXPECT_TRUE(branchObject) << "branch " << k;
        if (!branchObject) continue;
        EXPECT_EQ(Attribute(branchObject, u"addr_feature", feature), S_OK);
        if (feature.type() != VT_EMPTY) buildings.insert(IdOf(feature));
    }
    return buildings;
}
} // namespace

TEST_F(HostObjects, CurrentBase_NamesTheCityAndItsFile) {
    ComPtr<ZeltCore::IHostBase> base;
    ASSERT_EQ(View()->CurrentBase(base.put()), S_OK);
    Bstr name, path;
    EXPECT_EQ(base->Name(name.put()), S_OK);
    EXPECT_EQ(name.view(), u"Testford");
    EXPECT_EQ(base->FilePath(path.put()), S_OK);
    const std::filesystem::path file(std::u16string(path.view()));
    EXPECT_TRUE(file.is_absolute());
    EXPECT_EQ(file.filename(), "Data_Testford.dat");
    EXPECT_TRUE(std::filesystem::equivalent(file, hosttest::TestCityPath()));
}

TEST_F(HostObjects, NullOutArguments_AreRefusedWithEPointer) {
    EXPECT_EQ(View()->CurrentBase(nullptr), E_POINTER);
    EXPECT_EQ(View()->Database(nullptr), E_POINTER);
    EXPECT_EQ(View()->Factory(nullptr), E_POINTER);
    ComPtr<ZeltCore::IHostBase> base;
    ASSERT_EQ(View()->CurrentBase(base.put()), S_OK);
    EXPECT_EQ(base->Name(nullptr), E_POINTER);
    EXPECT_EQ(base->FilePath(nullptr), E_POINTER);
    ComPtr<ZeltCore::IHostDatabase> database;
    ASSERT_EQ(View()->Database(database.put()), S_OK);
    EXPECT_EQ(database->Table(Bstr(u"zelt_org").get(), nullptr), E_POINTER);
    EXPECT_EQ(Table(u"zelt_org")->ObjectByStableId(city::kCafeStable, nullptr), E_POINTER);
    const auto cafe = Company(city::kCafeStable);
    EXPECT_EQ(cafe->Id(nullptr), E_POINTER);
    EXPECT_EQ(cafe->Type(nullptr), E_POINTER);
    EXPECT_EQ(cafe->Attribute(Bstr(u"name").get(), nullptr), E_POINTER);
    EXPECT_EQ(Factory()->CreateImageFromPng(
                  zsys::SafeArray(zsys::MakeByteArray(hosttest::MakePng(2, 2))).get(), nullptr),
              E_POINTER);
    EXPECT_EQ(Factory()->CreateImageCollection(nullptr), E_POINTER);
    const auto image = Image(hosttest::MakePng(2, 2)).as<ZeltCore::IHostImage>();
    LONG width = 0;
    EXPECT_EQ(image->Size(&width, nullptr), E_POINTER);
}

TEST_F(HostObjects, Database_GivesATableForEveryTypeKeyAndRefusesOthers) {
    ComPtr<ZeltCore::IHostDatabase> database;
    ASSERT_EQ(View()->Database(database.put()), S_OK);
    for (const std::u16string_view key : {u"zelt_org", u"zelt_branch", u"zelt_building", u"zelt_street"}) {
        ComPtr<IUnknown> table;
        ASSERT_EQ(database->Table(Bstr(key).get(), table.put()), S_OK);
        EXPECT_TRUE(table.try_as<ZeltCore::IHostTable>());
    }
    for (BSTR key : {Bstr(u"zelt_notes").Detach(), Bstr(u"Zelt_Org").Detach(), BSTR(nullptr)}) {
        IUnknown* table = reinterpret_cast<IUnknown*>(0x1);
        EXPECT_EQ(database->Table(key, &table), E_INVALIDARG);
        EXPECT_EQ(table, nullptr);
        SysFreeString(key);
    }
}

TEST_F(HostObjects, ObjectByStableId_FindsKnownObjectsAndAnswersSFalseForOthers) {
    const auto companies = Table(u"zelt_org");
    ComPtr<ZeltCore::IHostDirObject> cafe;
    ASSERT_EQ(companies->ObjectByStableId(city::kCafeStable, cafe.put()), S_OK);
    LONG id = 0;
    Bstr type;
    EXPECT_EQ(cafe->Id(&id), S_OK);
    EXPECT_EQ(id, city::kCafe);
    EXPECT_EQ(cafe->Type(type.put()), S_OK);
    EXPECT_EQ(type.view(), u"zelt_org");

    ComPtr<ZeltCore::IHostDirObject> none;
    EXPECT_EQ(companies->ObjectByStableId(city::kDentist, none.put()), S_FALSE) << "an id is no stable id";
    EXPECT_FALSE(none);
    EXPECT_EQ(companies->ObjectByStableId(city::kMill14AStable, none.put()), S_FALSE)
        << "a building is no company";
    EXPECT_FALSE(none);

    ComPtr<ZeltCore::IHostDirObject> building;
    ASSERT_EQ(Table(u"zelt_building")->ObjectByStableId(city::kMill14AStable, building.put()), S_OK);
    EXPECT_EQ(building->Id(&id), S_OK);
    EXPECT_EQ(id, city::kMill14A);
    EXPECT_EQ(building->Type(type.put()), S_OK);
    EXPECT_EQ(type.view(), u"zelt_building");
}

TEST_F(HostObjects, Attribute_GivesACompanysOwnValuesAndItsBranchesInOrder) {
    const auto cafe = Company(city::kCafeStable);
    Variant value;
    ASSERT_EQ(Attribute(cafe, u"stable_id", value), S_OK);
    EXPECT_EQ(value.type(), VT_I4);
    EXPECT_EQ(value.get().lVal, city::kCafeStable);
    ASSERT_EQ(Attribute(cafe, u"name", value), S_OK);
    EXPECT_EQ(value.type(), VT_BSTR);
    EXPECT_EQ(zsys::View(value.get().bstrVal), u"Caf\u00e9 Lumi\u00e8re");
    ASSERT_EQ(Attribute(cafe, u"fil_count", value), S_OK);
    EXPECT_EQ(value.type(), VT_I4);
    EXPECT_EQ(value.get().lVal, 3);
    ASSERT_EQ(Attribute(cafe, u"fil_1", value), S_OK);
    EXPECT_EQ(IdOf(value), city::kCafeBranch1);
    ASSERT_EQ(Attribute(cafe, u"fil_3", value), S_OK);
    EXPECT_EQ(IdOf(value), city::kCafeBranch3);
    ASSERT_EQ(Attribute(cafe, u"addr_feature", value), S_OK);
    EXPECT_EQ(IdOf(value), city::kMill12) << "the main address is the first branch's building";

    EXPECT_EQ(BuildingsOf(cafe), (std::set<LONG>{city::kMill12, city::kMill14A, city::kFerry3}));
    EXPECT_EQ(BuildingsOf(Company(city::kDentistStable)), std::set<LONG>{city::kMill12});
}

TEST_F(HostObjects, Attribute_OfBranchesAndBuildingsLeadsBackToCompanyAndStreet) {
    Variant branch, value;
    ASSERT_EQ(Attribute(Company(city::kCafeStable), u"fil_2", branch), S_OK);
    const auto branchObject = ObjectOf(branch);
    ASSERT_TRUE(branchObject);
    ASSERT_EQ(Attribute(branchObject, u"org", value), S_OK);
    EXPECT_EQ(IdOf(value), city::kCafe);
    ASSERT_EQ(Attribute(branchObject, u"addr_feature", value), S_OK);
    const auto building = ObjectOf(value);
    ASSERT_TRUE(building);
    ASSERT_EQ(Attribute(building, u"name", value), S_OK);
    EXPECT_EQ(zsys::View(value.get().bstrVal), u"14A Mill Street");
    ASSERT_EQ(Attribute(building, u"street", value), S_OK);
    EXPECT_EQ(IdOf(value), city::kMillStreet);
}

TEST_F(HostObjects, Attribute_WithoutBranchesOrPremisesIsEmptyNotAnError) {
    Variant value;
    const auto edge = Company(city::kEdgeStable);
    ASSERT_EQ(Attribute(edge, u"fil_count", value), S_OK);
    EXPECT_EQ(value.get().lVal, 0);
    EXPECT_EQ(Attribute(edge, u"addr_feature", value), S_OK);
    EXPECT_EQ(value.type(), VT_EMPTY);
    EXPECT_TRUE(BuildingsOf(edge).empty());

    EXPECT_TRUE(BuildingsOf(Company(city::kTaxisStable)).empty()) << "a taxi firm works from no building";
    EXPECT_TRUE(BuildingsOf(Company(city::kGhostStable)).empty()) << "a building the city lacks is none";
}

TEST_F(HostObjects, Attribute_ThatTheObjectLacksIsParamNotFoundAndEmpty) {
    const auto cafe = Company(city::kCafeStable);
    for (const std::u16string_view name : {u"fil_0", u"fil_4", u"fil_01", u"fil_", u"fil_-1", u"fil_1x",
                                           u"FIL_1", u"Name", u"org", u"street", u"", u"fil_99999999999"}) {
        VARIANT value;
        value.vt = VT_I4;
        value.lVal = 42;
        EXPECT_EQ(cafe->Attribute(Bstr(name).get(), &value), DISP_E_PARAMNOTFOUND) << host::Utf8(name);
        EXPECT_EQ(value.vt, VT_EMPTY);
    }
    Variant value;
    EXPECT_EQ(cafe->Attribute(nullptr, value.put()), DISP_E_PARAMNOTFOUND);
}

TEST_F(HostObjects, CreateImageFromPng_DecodesASoundPng) {
    HRESULT hr = E_FAIL;
    const auto image = Image(hosttest::MakePng(15, 16), &hr);
    ASSERT_EQ(hr, S_OK);
    const auto sized = image.try_as<ZeltCore::IHostImage>();
    ASSERT_TRUE(sized);
    LONG width = 0, height = 0;
    EXPECT_EQ(sized->Size(&width, &height), S_OK);
    EXPECT_EQ(width, 15);
    EXPECT_EQ(height, 16);
}

TEST_F(HostObjects, CreateImageFromPng_RefusesWhatIsNoSoundPng) {
    const std::vector<std::uint8_t> png = hosttest::MakePng(15, 16, 0x10203040);
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    bad.push_back(std::vector<std::uint8_t>(png.begin(), png.begin() + 8)); // the signature alone
    bad.push_back(std::vector<std::uint8_t>(png.begin(), png.begin() + long(png.size() / 2)));
    bad.push_back(std::vector<std::uint8_t>(png.begin(), png.end() - 13)); // no end chunk, pixels all there
    auto damaged = png;
    damaged[damaged.size() - 20] ^= 0x55; // inside the pixel data: its checksum no longer holds
    bad.push_back(damaged);
    bad.push_back(hosttest::MakePng(5000, 1)); // larger than any icon or mark
    for (std::size_t i = 0; i < bad.size(); ++i) {
        HRESULT hr = S_OK;
        EXPECT_FALSE(Image(bad[i], &hr)) << i;
        EXPECT_EQ(hr, E_INVALIDARG) << i;
    }
    IUnknown* image = reinterpret_cast<IUnknown*>(0x1);
    EXPECT_EQ(Factory()->CreateImageFromPng(nullptr, &image), E_INVALIDARG);
    EXPECT_EQ(image, nullptr);
}

TEST_F(HostObjects, ImageCollection_ShowsAddedImagesOnlyOnceCommitted) {
    ComPtr<IUnknown> collection;
    ASSERT_EQ(Factory()->CreateImageCollection(collection.put()), S_OK);
    const auto lookup = collection.as<ZeltCore::IHostImageCollection>();
    const auto edit = collection.as<ZeltCore::IHostImageCollectionEdit>();
    const auto red = Image(hosttest::MakePng(15, 16, 0xFF0000FF)),
               blue = Image(hosttest::MakePng(4, 4, 0x0000FFFF));

    ASSERT_EQ(edit->Add(Bstr(u"MYUNIQUETAG0").get(), red.get()), S_OK);
    ComPtr<IUnknown> found;
    EXPECT_EQ(lookup->Image(Bstr(u"MYUNIQUETAG0").get(), found.put()), S_FALSE) << "not yet committed";
    EXPECT_FALSE(found);
    LONG count = -1;
    EXPECT_EQ(lookup->Count(&count), S_OK);
    EXPECT_EQ(count, 0);

    ASSERT_EQ(edit->Commit(), S_OK);
    EXPECT_EQ(lookup->Image(Bstr(u"MYUNIQUETAG0").get(), found.put()), S_OK);
    EXPECT_EQ(found, red);
    EXPECT_EQ(lookup->Image(Bstr(u"MYUNIQUETAG1").get(), found.put()), S_FALSE);
    EXPECT_FALSE(found);

    ASSERT_EQ(edit->Add(Bstr(u"MYUNIQUETAG0").get(), blue.get()), S_OK);
    ASSERT_EQ(edit->Add(Bstr(u"MYUNIQUETAG1").get(), red.get()), S_OK);
    EXPECT_EQ(lookup->Image(Bstr(u"MYUNIQUETAG0").get(), found.put()), S_OK);
    EXPECT_EQ(found, red) << "the replacement waits for its commit";
    ASSERT_EQ(edit->Commit(), S_OK);
    EXPECT_EQ(lookup->Image(Bstr(u"MYUNIQUETAG0").get(), found.put()), S_OK);
    EXPECT_EQ(found, blue);
    EXPECT_EQ(lookup->Count(&count), S_OK);
    EXPECT_EQ(count, 2);
}

TEST_F(HostObjects, ImageCollection_AcceptsOnlyNamedImages) {
    ComPtr<IUnknown> collection;
    ASSERT_EQ(Factory()->CreateImageCollection(collection.put()), S_OK);
    const auto edit = collection.as<ZeltCore::IHostImageCollectionEdit>();
    const auto image = Image(hosttest::MakePng(2, 2));
    const auto table = Table(u"zelt_org");
    EXPECT_EQ(edit->Add(Bstr(u"table").get(), table.get()), E_INVALIDARG);
    EXPECT_EQ(edit->Add(Bstr(u"nothing").get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(edit->Add(Bstr(u"").get(), image.get()), E_INVALIDARG);
    EXPECT_EQ(edit->Add(nullptr, image.get()), E_INVALIDARG);
    ASSERT_EQ(edit->Commit(), S_OK);
    LONG count = -1;
    EXPECT_EQ(collection.as<ZeltCore::IHostImageCollection>()->Count(&count), S_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(HostObjects, ForeignReferences_CountEveryHostObjectStillHeld) {
    EXPECT_EQ(zelt.ForeignHostReferences(), 0);
    ComPtr<ZeltCore::IHostBase> base;
    ASSERT_EQ(View()->CurrentBase(base.put()), S_OK);
    EXPECT_EQ(zelt.ForeignHostReferences(), 1);
    auto table = Table(u"zelt_org");
    auto cafe = Company(city::kCafeStable);
    EXPECT_EQ(zelt.ForeignHostReferences(), 3);
    Variant branch;
    ASSERT_EQ(Attribute(cafe, u"fil_1", branch), S_OK);
    EXPECT_EQ(zelt.ForeignHostReferences(), 4) << "a branch handed out in a value";
    ComPtr<IUnknown> collection;
    ASSERT_EQ(Factory()->CreateImageCollection(collection.put()), S_OK);
    collection.as<ZeltCore::IHostImageCollectionEdit>()->Add(Bstr(u"a").get(),
                                                             Image(hosttest::MakePng(1, 1)).get());
    EXPECT_EQ(zelt.ForeignHostReferences(), 6) << "the collection and the image it keeps";
    base = nullptr;
    table = nullptr;
    cafe = nullptr;
    (void)branch.put(); // clears the value
    collection = nullptr;
    EXPECT_EQ(zelt.ForeignHostReferences(), 0);
}

TEST(HostAccounting, EveryHostObjectIsGoneWithTheHost) {
    const long strings = zsys::LiveBstrCount();
    {
        host::ZeltHost zelt({"", 0, hosttest::TestCityPath()});
        ComPtr<ZeltCore::IHostBase> base;
        ASSERT_EQ(zelt.View().CurrentBase(base.put()), S_OK);
        Bstr name;
        ASSERT_EQ(base->Name(name.put()), S_OK);
        EXPECT_GT(zsys::ThisModule().LockCount(), 0);
    }
    EXPECT_EQ(zsys::ThisModule().LockCount(), 0);
    EXPECT_EQ(zsys::LiveBstrCount(), strings);
}

TEST(HostAccounting, WithoutACityOfItsOwnTheHostServesRiverton) {
    host::ZeltHost zelt({"", 0});
    Bstr name;
    ComPtr<ZeltCore::IHostBase> base;
    ASSERT_EQ(zelt.View().CurrentBase(base.put()), S_OK);
    ASSERT_EQ(base->Name(name.put()), S_OK);
    EXPECT_EQ(name.view(), u"Riverton");
    EXPECT_EQ(std::filesystem::path(zelt.View().City().Path()).filename(), "Data_Riverton.dat");
}

TEST(HostCommand, ServesTheCityItIsGiven) {
    int status = -1;
    const std::string out =
        hosttest::RunCommand(std::string(VESK_HOST_PATH) + " --city " + hosttest::TestCityPath() + " --appdata " +
                                 hosttest::TestCityPath() + ".appdata",
                             &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("city: Testford ("), std::string::npos) << out;
    EXPECT_NE(out.find("plug-in objects alive: 0, host references held by the plug-in: 0"), std::string::npos)
        << out;
}

TEST(HostCommand, AMissingCityIsAClearError) {
    int status = -1;
    const std::string out =
        hosttest::RunCommand(std::string(VESK_HOST_PATH) + " --city /nonexistent/Data_X.dat info", &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(out.find("Data_X.dat"), std::string::npos) << out;
}
