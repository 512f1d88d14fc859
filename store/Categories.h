#pragma once

#include "hostapi/ZeltCore.h"
#include "store/CategoryImageSet.h"
#include "store/IMenuInformer.h"
#include "store/ISearchAndImageManager.h"
#include "store/ITiXmlSaveLoad.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LangLocal;

// The eighteen note categories: their names (localised defaults the user may rename, kept in the notes
// file) and the images that stand for them in the host and in the plug-in's own lists.
class Categories final : public ITiXmlSaveLoad, public ISearchAndImageManager, public IMenuInformer {
public:
    // A table with the default names in the interface language; no images yet.
    explicit Categories(std::shared_ptr<const LangLocal> language);
    Categories(const Categories&) = delete;
    Categories& operator=(const Categories&) = delete;

    // Appends `Categories` with one `Category` per name, in category order, to the parent.
    void Save(pugi::xml_node parent) const override;
    // Reads the names from the parent's `Categories`; anything but 18 names gives the default names.
    void Load(pugi::xml_node parent) override;

    int CategoryCount() const override { return CategoryImageSet::kCount; }
    std::u16string CategoryName(int index) const override;
    const zsys::ImageList* ImageList() const override { return imageList_.get(); }
    std::u16string ImageName(int index) const override;
    const CategoryImageSet& MenuImages() const override { return menuImages_; }

    // Registers the menu, card and map image sets with the host (in that order) and loads the swatch
    // list. A host failure is raised as a COM error.
    void RegisterImages(ZeltCore::IHostView* view);
    // The images of the card and its links; empty before registering.
    const CategoryImageSet& CardImages() const { return cardImages_; }
    // The images of the map layers; empty before registering.
    const CategoryImageSet& MapImages() const { return mapImages_; }

    // Renames a category; false, changing nothing, for an index outside the categories or the same name.
    bool SetName(int index, std::u16string_view name);
    // Every name in category order.
    const std::vector<std::u16string>& Names() const { return names_; }
    // Told after the names changed, by a rename or a read.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    ~Categories() override;

private:
    void RestoreDefaultNames();

    std::vector<std::u16string> names_;
    CategoryImageSet cardImages_;
    CategoryImageSet menuImages_;
    CategoryImageSet mapImages_;
    std::unique_ptr<zsys::ImageList> imageList_;
    std::shared_ptr<const LangLocal> language_;
    std::function<void()> listener_;
};
