#pragma once

#include "store/IImageManager.h"

// The categories as the search controls and the settings dialog use them.
class ISearchAndImageManager : public IImageManager {
public:
    // The name of the category's images and links: "MYUNIQUETAG" and the index in unsigned decimal.
    virtual std::u16string ImageName(int index) const = 0;
};
