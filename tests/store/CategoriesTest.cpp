#include "StoreFixture.h"

#include "platform/ui/ImageList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class CategoriesTest : public StoreFixture {
protected:
    // The names read back from a `Categories` element holding the given children.
    std::vector<std::u16string> LoadNames(const std::string& children) {
        pugi::xml_document document;
        const std::string xml = "<Root><Categories>" + children + "</Categories></Root>";
        EXPECT_TRUE(document.load_string(xml.c_str()));
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
    static std::vector<std::uint8_t> Png(WORD id) {
        const auto bytes = zsys::ResourceBytes(FindResource(TheModule().Instance(), RT_PNG, id));
        return {bytes.begin(), bytes.end()};
    }
};
} // namespace

TEST_F(CategoriesTest, StartsWithTheDefaultNamesInTheInterfaceLanguage) {
    EXPECT_EQ(categories->CategoryCount(), 18);
    EXPECT_EQ(categories->CategoryName(0), u"red");
    EXPECT_EQ(categories->CategoryName(17), u"olive");
    EXPECT_EQ(categories->CategoryName(18), u"");
    EXPECT_EQ(categories->CategoryName(-1), u"");
    EXPECT_EQ(categories->ImageName(3), u"MYUNIQUETAG3");
    EXPECT_EQ(categories->ImageName(17), u"MYUNIQUETAG17");
    EXPECT_EQ(categories->ImageList(), nullptr) << "no swatches before the images are registered";

    SetThreadUILanguage(1049);
    const Categories russian(std::make_shared<LangLocal>(TheModule().Instance()));
    EXPECT_NE(russian.CategoryName(0), u"red");
    EXPECT_FALSE(russian.CategoryName(0).empty());
}

TEST_F(CategoriesTest, SetNameChangesOnlyAValidIndexToAnotherName) {
    EXPECT_FALSE(categories->SetName(2, u"green"));
    EXPECT_TRUE(categories->SetName(2, u"Clients & partners"));
    EXPECT_FALSE(categories->SetName(18, u"x"));
    EXPECT_FALSE(categories->SetName(-1, u"x"));

    pugi::xml_document document;
    categories->Save(document.append_child("Root"));
    const pugi::xml_node saved = document.child("Root").child("Categories");
    EXPECT_EQ(std::distance(saved.children("Category").begin(), saved.children("Category").end()), 18);
    EXPECT_STREQ(saved.first_child().next_sibling().next_sibling().child_value(), "Clients & partners");
    EXPECT_STREQ(saved.first_child().child_value(), "red");
}

TEST_F(CategoriesTest, NamesAreReadThroughHtmlUnescaping) {
    std::string children = "<Category>Fish &amp;amp; chips</Category><Category>two&lt;br/&gt;lines</Category>"
                           "<Category>\xD0\x9A\xD0\xBB\xD0\xB8\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B</Category>";
    children += CategoryElements(15);
    const auto names = LoadNames(children);
    EXPECT_EQ(names[0], u"Fish & chips");
    EXPECT_EQ(names[1], u"two\nlines");
    EXPECT_EQ(names[2], u"Клиенты");
    EXPECT_EQ(names[17], u"name 14");
}

TEST_F(CategoriesTest, AnythingButEighteenNamesGivesTheDefaults) {
    const auto defaults = Names();
    EXPECT_EQ(LoadNames(CategoryElements(18))[17], u"name 17");
    EXPECT_EQ(LoadNames(CategoryElements(17)), defaults);
    EXPECT_EQ(LoadNames(CategoryElements(18))[0], u"name 0");
    EXPECT_EQ(LoadNames(CategoryElements(19)), defaults);
    EXPECT_EQ(LoadNames(CategoryElements(17) + "<Category/>"), defaults) << "a name without text is skipped";
    EXPECT_EQ(LoadNames(CategoryElements(17) + "<Other>x</Other>")[17], u"x")
        << "any element after the first counts";

    pugi::xml_document document;
    document.append_child("Root");
    categories->SetName(0, u"renamed");
    categories->Load(document.child("Root"));
    EXPECT_EQ(Names(), defaults) << "a file without categories";
}

TEST_F(CategoriesTest, RegisterImagesMakesMenuCardAndMapSetsFromTheirPngs) {
    categories->RegisterImages(view.get());
    const auto& made = view->factory->collections;
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(categories->MenuImages().Collection(),
              static_cast<ZeltCore::IHostImageCollection*>(made[0].get()));
    EXPECT_EQ(categories->CardImages().Collection(),
              static_cast<ZeltCore::IHostImageCollection*>(made[1].get()));
    EXPECT_EQ(categories->MapImages().Collection(),
              static_cast<ZeltCore::IHostImageCollection*>(made[2].get()));
    const WORD firstPng[] = {147, 147, 129};
    for (std::size_t set = 0; set < 3; ++set) {
        ASSERT_EQ(made[set]->names.size(), 18u);
        EXPECT_TRUE(made[set]->committed);
        for (unsigned n = 0; n < 18; ++n) {
            EXPECT_EQ(made[set]->names[n], u"MYUNIQUETAG" + FromUtf8(std::to_string(n)));
            auto* image = static_cast<FakeImageFactory::Image*>(made[set]->images[n].get());
            EXPECT_EQ(image->png, Png(static_cast<WORD>(firstPng[set] + n))) << set << " " << n;
        }
    }
    EXPECT_EQ(categories->MenuImages().Count(), 18);
}

TEST_F(CategoriesTest, RegisterImagesLoadsTheSwatchesWithATransparentBackground) {
    categories->RegisterImages(view.get());
    const zsys::ImageList* swatches = categories->ImageList();
    ASSERT_NE(swatches, nullptr);
    EXPECT_EQ(swatches->Count(), 18);
    EXPECT_EQ(swatches->ImageSize(), (zsys::ImageList::Size{15, 16}));
    EXPECT_EQ(swatches->Pixel(0, 0, 0).a, 0);
    EXPECT_EQ(swatches->Pixel(0, 7, 8), (zsys::ImageList::Rgba{255, 56, 56, 255}));
    EXPECT_EQ(swatches->Pixel(14, 7, 8), (zsys::ImageList::Rgba{56, 61, 64, 255}));
    EXPECT_EQ(swatches->Pixel(17, 7, 8), (zsys::ImageList::Rgba{169, 191, 139, 255}));
}

TEST_F(CategoriesTest, ACollectionSideTheHostLacksIsNoFailure) {
    view->factory->sides = FakeImageFactory::Sides::LookUpOnly;
    categories->RegisterImages(view.get());
    EXPECT_NE(categories->CardImages().Collection(), nullptr);
    EXPECT_TRUE(view->factory->collections[1]->names.empty());

    view->factory->sides = FakeImageFactory::Sides::FillOnly;
    categories->RegisterImages(view.get());
    EXPECT_EQ(categories->CardImages().Collection(), nullptr);
    EXPECT_EQ(view->factory->collections[4]->names.size(), 18u);
    EXPECT_TRUE(view->factory->collections[4]->committed);
}

TEST_F(CategoriesTest, HostFailuresAreRaisedWithTheirInterface) {
    view->factory->imageResult = E_OUTOFMEMORY;
    try {
        categories->RegisterImages(view.get());
        FAIL() << "the failure is raised";
    } catch (const zsys::ComError& error) {
        EXPECT_EQ(error.code(), E_OUTOFMEMORY);
        EXPECT_EQ(error.iid(), ZeltCore::IHostFactory::iid);
    }
    EXPECT_EQ(categories->MenuImages().Collection(), nullptr) << "a failed set stays empty";
    EXPECT_THROW(categories->RegisterImages(nullptr), zsys::ComError);
}
