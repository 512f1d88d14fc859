#pragma once

#include <cstdint>
#include <string>

// Tests companies against the note text searched for.
class IInfoMatcher {
public:
    // 0 when the company's note text holds the pattern (letter case aside); else as
    // ICategoryMatcher::Match.
    virtual std::int32_t Match(std::int32_t company) = 0;
    // Keeps the text, case-folded, as the pattern.
    virtual void SetCriterion(const std::u16string& text) = 0;
    virtual ~IInfoMatcher() = default;
};
