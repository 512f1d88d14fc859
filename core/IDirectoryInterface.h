#pragma once

#include "core/ICategoryMatcher.h"
#include "core/IInfoMatcher.h"
#include "core/INodeDisplayer.h"

namespace detail {
// The two matchers name their operations alike; each side answers its own under names
// of their own, which the controller implements.
class CategoryMatcherSide : public ICategoryMatcher {
public:
    std::int32_t Match(std::int32_t company) final { return MatchCategory(company); }
    void SetCriterion(const std::u16string& value) final { SetCategoryCriterion(value); }

protected:
    virtual std::int32_t MatchCategory(std::int32_t company) = 0;
    virtual void SetCategoryCriterion(const std::u16string& value) = 0;
};

class TextMatcherSide : public IInfoMatcher {
public:
    std::int32_t Match(std::int32_t company) final { return MatchText(company); }
    void SetCriterion(const std::u16string& text) final { SetTextCriterion(text); }

protected:
    virtual std::int32_t MatchText(std::int32_t company) = 0;
    virtual void SetTextCriterion(const std::u16string& text) = 0;
};
} // namespace detail

// Everything the directory's result page and cards ask of the notes controller: the
// category matcher, the text matcher and the displayer of notes, in that order.
class IDirectoryInterface : public detail::CategoryMatcherSide,
                            public detail::TextMatcherSide,
                            public INodeDisplayer {};
