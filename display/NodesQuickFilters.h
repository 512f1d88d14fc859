#pragma once

#include "core/ICategoryMatcher.h"
#include "core/IInfoMatcher.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

// A quick filter of the organisation page: tells the host, company by company, what its
// matcher answers for the search that installed it. The notes controller's matchers
// outlive every filter.
template <class Derived, class Matcher>
class NodesQuickFilter : public zsys::ComObject<Derived, ZeltCore::IStdDirectoryQuickFilter> {
public:
    explicit NodesQuickFilter(Matcher* matcher) : matcher_(matcher) {}

    // 0 keeps the company; else the distance to the next noted company, -1 for none.
    HRESULT Test(LONG id, LONG* distance) noexcept override try {
        if (!distance) return E_POINTER;
        *distance = matcher_->Match(id);
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }

private:
    Matcher* matcher_;
};

// Keeps the companies whose note holds the text searched for.
class NodesQuickTextFilter final : public NodesQuickFilter<NodesQuickTextFilter, IInfoMatcher> {
public:
    using NodesQuickFilter::NodesQuickFilter;

private:
    ~NodesQuickTextFilter() override = default;
};

// Keeps the companies whose note carries the category searched for.
class NodesQuickCategoryFilter final : public NodesQuickFilter<NodesQuickCategoryFilter, ICategoryMatcher> {
public:
    using NodesQuickFilter::NodesQuickFilter;

private:
    ~NodesQuickCategoryFilter() override = default;
};
