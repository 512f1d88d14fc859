#pragma once

#include "platform/com/Unknown.h"

class ISearchAndImageManager;

// The category control's own side, through which the notes controller gives it the
// category table and has it show renamed categories. Failures pass to the caller.
struct ICategoriesSupporter : IUnknown {
    static constexpr IID iid = zsys::Guid("{748C2400-E390-11DD-AD8B-0800200C9A66}");
    // Keeps the table (which outlives the control) and lists its categories; E_POINTER for none.
    virtual void SetCategories(const ISearchAndImageManager* categories) = 0;
    // Lists the table's categories anew, in the same order: an item's index is its category.
    virtual void RefreshCategories() = 0;
};
