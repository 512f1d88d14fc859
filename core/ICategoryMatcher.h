#pragma once

#include <cstdint>
#include <string>

// Tests companies against the category chosen for a search.
class ICategoryMatcher {
public:
    // 0 when the company's note carries the category; else the distance to the next company
    // with a note at all, or -1 when no later company has one.
    virtual std::int32_t Match(std::int32_t company) = 0;
    // Takes a category identifier ("MYUNIQUETAG3") and keeps the category it names.
    virtual void SetCriterion(const std::u16string& value) = 0;
    virtual ~ICategoryMatcher() = default;
};
