#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "platform/resources/ModuleResources.h"

#include <string>

// One host image collection holding an image per category, named "MYUNIQUETAG" and the category number.
class CategoryImageSet {
public:
    // The number of images, one per category.
    static constexpr int kCount = 18;

    // The name of a category's image: "MYUNIQUETAG" followed by the number in decimal.
    static std::u16string ImageName(unsigned category);

    // Makes a collection from the module's PNG resources `firstPng` onwards, one per category, and keeps
    // its looking-up side (if the host offers one). A host failure is raised as a COM error and leaves
    // the set as it was.
    void Register(ZeltCore::IHostView* view, HMODULE module, WORD firstPng);

    // The host's collection; null before registering.
    ZeltCore::IHostImageCollection* Collection() const { return collection_.get(); }
    // The number of images (18).
    int Count() const { return kCount; }

private:
    zsys::ComPtr<ZeltCore::IHostImageCollection> collection_;
};
