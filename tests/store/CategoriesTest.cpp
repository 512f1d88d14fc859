// The category table: renaming, names read from a file, and the images it registers with the
// reference host.
#include "StoreFixture.h"

#include "host/objects/HostImage.h"
#include "platform/com/SafeArray.h"
#include "platform/ui/ImageList.h"

namespace {
class CategoriesTest : public StoreFixture {
protected:
    // The names read back from a `Categories` element holding the given children.
    std::vector<std::u16string> LoadNames(const std::string& children) {
        pugi::xml_document document;
        const std::string xml = "<Root><Categories>" + children + "</Categories></Root>";
        EXPECT_TRUE(document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
        categories->Load(document.child("Root"));
        return Names();
    }
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (int n = 0; n < categories->CategoryCount(); ++n)
            names.push_back(categories->CategoryName(n));
        return names;
    }
    static std::string CategoryElements(int count) {
        std::string xml;
        for (int n = 0; n < count; ++n)
            xml += "<Category>name " + std::to_string(n) + "</Category>";
        return xml;
    }
    // The pixels of an image the host made, from a collection or from a resource of the module.
    static std::vector<std::uint8_t> Pixels(IUnknown* image) {
        return image ? dynamic_cast<host::HostImage&>(*image).Pixels() : std::vector<std::uint8_t>{};
    }
    std::vector<std::uint8_t> PixelsOfPng(WORD id) {
        const auto png = zsys::ResourceBytes(FindResource(TheModule().Instance(), RT_PNG, id));
        zsys::ComPtr<IUnknown> image;
        EXPECT_EQ(
            FactoryOf(zelt)->CreateImageFromPng(zsys::SafeArray(zsys::MakeByteArray(png)).get(), image.put()),
            S_OK);
        return Pixels(image.get());
    }
};
} // namespace

// The default names are the string table's, read in English through the settings' list and in the
// notes store's test of the file's format; the names a rename may give, through the settings dialog.
TEST_F(CategoriesTest, EighteenCategoriesAndARenameOnlyOfAValidIndexToAnotherName) {
    EXPECT_EQ(categories->CategoryCount(), 18);
    EXPECT_EQ(categories->CategoryName(18), u"");
    EXPECT_EQ(categories->CategoryName(-1), u"");
    EXPECT_EQ(categories->ImageList(), nullptr) << "no swatches before the images are registered";
    EXPECT_FALSE(categories->SetName(2, u"green"));
    EXPECT_TRUE(categories->SetName(2, u"Clients & partners"));
    EXPECT_EQ(categories->CategoryName(2), u"Clients & partners");
    EXPECT_FALSE(categories->SetName(18, u"x"));
    EXPECT_FALSE(categories->SetName(-1, u"x"));
}

TEST_F(CategoriesTest, NamesAreReadThroughHtmlUnescapingAndOnlyEighteenOfThemCount) {
    const auto defaults = Names();
    const auto names =
        LoadNames("<Category>Fish &amp;amp; chips</Category><Category>two&lt;br/&gt;lines</Category>"
                  "<Category>\xD0\x9A\xD0\xBB\xD0\xB8\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B</Category>"
                  "<Category>  </Category>" +
                  CategoryElements(13) + "<Other>any element after the first</Other>");
    EXPECT_EQ(names[0], u"Fish & chips");
    EXPECT_EQ(names[1], u"two\nlines");
    EXPECT_EQ(names[2], u"Клиенты");
    EXPECT_EQ(names[3], u"  ");
    EXPECT_EQ(names[16], u"name 12");
    EXPECT_EQ(names[17], u"any element after the first");

    for (const std::string& children :
         {CategoryElements(17), CategoryElements(19), CategoryElements(17) + "<Category/>", std::string()})
        EXPECT_EQ(LoadNames(children), defaults) << children;
    categories->SetName(0, u"renamed");
    pugi::xml_document document;
    categories->Load(document.append_child("Root"));
    EXPECT_EQ(Names(), defaults) << "a file without categories";
}

TEST_F(CategoriesTest, RegisterImagesGivesTheHostMenuCardAndMapSetsAndLoadsTheSwatches) {
    categories->RegisterImages(view.get());
    const struct {
        const CategoryImageSet& set;
        WORD firstPng;
    } sets[] = {
        {categories->MenuImages(), 147}, {categories->CardImages(), 147}, {categories->MapImages(), 129}};
    for (const auto& [set, firstPng] : sets) {
        ASSERT_NE(set.Collection(), nullptr);
        LONG count = 0;
        EXPECT_EQ(set.Collection()->Count(&count), S_OK);
        EXPECT_EQ(count, 18);
        for (unsigned n = 0; n < 18; ++n) {
            zsys::ComPtr<IUnknown> image;
            EXPECT_EQ(set.Collection()->Image(zsys::Bstr(CategoryImageSet::ImageName(n)).get(), image.put()),
                      S_OK);
            EXPECT_EQ(Pixels(image.get()), PixelsOfPng(static_cast<WORD>(firstPng + n)))
                << firstPng << " " << n;
        }
    }
    EXPECT_NE(categories->MenuImages().Collection(), categories->CardImages().Collection());

    const zsys::ImageList* swatches = categories->ImageList();
    ASSERT_NE(swatches, nullptr);
    EXPECT_EQ(swatches->Count(), 18);
    EXPECT_EQ(swatches->ImageSize(), (zsys::ImageList::Size{15, 16}));
}

// The host's tests of the start fail the notes icon's image first, which ends the start before
// the category images are asked for.
TEST_F(CategoriesTest, HostFailuresAreRaisedWithTheirInterface) {
    Faults().Fail("IHostFactory.CreateImageFromPng", E_OUTOFMEMORY);
    EXPECT_TRUE(RaisesComError([&] { categories->RegisterImages(view.get()); }, E_OUTOFMEMORY,
                               ZeltCore::IHostFactory::iid));
    EXPECT_EQ(categories->MenuImages().Collection(), nullptr) << "a failed set stays empty";
}
