#pragma once

// Tests companies against the category chosen for a search. Match and SetCriterion
// join here with the search criteria.
class ICategoryMatcher {
public:
    virtual ~ICategoryMatcher() = default;
};
