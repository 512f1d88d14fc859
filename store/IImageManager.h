#pragma once

#include <string>

namespace zsys {
class ImageList;
}

// The categories as lists and combo boxes show them: names and swatches.
class IImageManager {
public:
    // The number of categories (18).
    virtual int CategoryCount() const = 0;
    // The category's name; empty for an index outside the categories.
    virtual std::u16string CategoryName(int index) const = 0;
    // The category swatches, one image per category; null until they are loaded.
    virtual const zsys::ImageList* ImageList() const = 0;
    virtual ~IImageManager() = default;
};
