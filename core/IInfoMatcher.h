#pragma once

// Tests companies against the note text searched for. Match and SetCriterion join
// here with the search criteria.
class IInfoMatcher {
public:
    virtual ~IInfoMatcher() = default;
};
