#pragma once

#include <string>

class CategoryImageSet;

// The categories as the card's category submenu shows them.
class IMenuInformer {
public:
    // The images of the submenu's items; empty until they are registered with the host.
    virtual const CategoryImageSet& MenuImages() const = 0;
    // The number of categories (18).
    virtual int CategoryCount() const = 0;
    // The category's name; empty for an index outside the categories.
    virtual std::u16string CategoryName(int index) const = 0;
    virtual ~IMenuInformer() = default;
};
