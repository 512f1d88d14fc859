#pragma once

// Searches: criteria, the result view with its pages, the controller a plug-in attaches
// to a page with its quick filters, and the controls of a search group. Only the order
// of the operations is binding; the names are ours.
#include "hostapi/ZeltCore.h"

namespace ZeltCore {
// The organisation page of the result view.
inline constexpr std::u16string_view kOrganisationPage = u"Zelt.DirPage.Org";
// The criteria a search may hold: the host's company name, the note text and the note
// category (whose value is a category link, kCategoryLink and the category's number).
inline constexpr std::u16string_view kNameCriterion = u"Zelt.Search.Criterion.OrgName";
inline constexpr std::u16string_view kNoteTextCriterion = u"Kavo.SampleSearch.Criterion.ByText";
inline constexpr std::u16string_view kNoteCategoryCriterion = u"Kavo.SampleSearch.Criterion.ByColor";

// The criteria of one search: values by identifier.
struct IHostSearchCriteria : IUnknown {
    static constexpr IID iid = zsys::Guid("{53907583-BCE5-41B6-B28B-73969EF3E39B}");
    // Adds (or replaces) a criterion; E_INVALIDARG for an empty identifier.
    virtual HRESULT Add(BSTR id, VARIANT value) = 0;
    virtual HRESULT Has(BSTR id, VARIANT_BOOL* has) = 0;
    // A copy of the criterion's value; VT_EMPTY and S_FALSE when there is none.
    virtual HRESULT Get(BSTR id, VARIANT* value) = 0;
};

// The quick filters a page applies to a search's result.
struct IHostQuickFilterSet : IUnknown {
    static constexpr IID iid = zsys::Guid("{4E857513-E241-448F-B178-FC29EB0DF32A}");
    // Adds a filter (an object answering IStdDirectoryQuickFilter).
    virtual HRESULT Add(IUnknown* filter) = 0;
};

// A page of directory objects in the result view.
struct IHostDirPage : IUnknown {
    static constexpr IID iid = zsys::Guid("{6ECC473B-7937-4136-A5D6-6287A83A99AA}");
    // Attaches a plug-in's controller (IStdDirectoryCustomController, optionally
    // IStdDirectoryCustomFilterController) to the page.
    virtual HRESULT AttachController(IUnknown* controller) = 0;
    // Detaches it again; S_FALSE when it is not attached.
    virtual HRESULT DetachController(IUnknown* controller) = 0;
};

// The search result view: its pages and the search it shows.
struct IHostSearchView : IUnknown {
    static constexpr IID iid = zsys::Guid("{B5EB1203-EB8F-41C3-8B59-C178A655B235}");
    // The page of that name ("Zelt.DirPage.Org"); S_FALSE and null when there is none.
    virtual HRESULT Page(BSTR name, IUnknown** page) = 0;
    // The page being shown; S_FALSE and null before any search.
    virtual HRESULT CurrentPage(IUnknown** page) = 0;
    // The criteria, title and description of the search being shown.
    virtual HRESULT CurrentCriteria(IHostSearchCriteria** criteria) = 0;
    virtual HRESULT CurrentTitle(BSTR* title) = 0;
    virtual HRESULT CurrentDescription(BSTR* description) = 0;
    // Runs a search and shows its result on the organisation page.
    virtual HRESULT ShowResults(IHostSearchCriteria* criteria, BSTR title, BSTR description) = 0;
};

// Implemented by the plug-in: its controller of a directory page.
struct IStdDirectoryCustomController : IUnknown {
    static constexpr IID iid = zsys::Guid("{674F0E0D-9A73-4A50-88EE-6627AF726E95}");
    // The cell controller (IStdDirectoryCellCustomController) for the page's entries and
    // cards; the argument is the host's and must not be null.
    virtual HRESULT CellController(IUnknown* context, IUnknown** controller) = 0;
};

// Implemented by the plug-in: installs its quick filters for a search with its criteria.
struct IStdDirectoryCustomFilterController : IUnknown {
    static constexpr IID iid = zsys::Guid("{13D457D9-6C32-4F54-B9FA-AE0F1DF6516F}");
    virtual HRESULT InstallQuickFilters(IHostSearchCriteria* criteria, IHostQuickFilterSet* filters) = 0;
};

// Implemented by the plug-in: decides, company by company, what a result keeps.
struct IStdDirectoryQuickFilter : IUnknown {
    static constexpr IID iid = zsys::Guid("{2E1D9C53-B34E-40D0-BC07-37B8B6A2DA8B}");
    // 0 keeps the company; d > 0: dropped, and no company before id + d can pass;
    // -1: dropped, and no later company can pass.
    virtual HRESULT Test(LONG id, LONG* distance) = 0;
};

// Implemented by the plug-in: a control in a search group.
struct ISearchGroupControl : IUnknown {
    static constexpr IID iid = zsys::Guid("{2ACC3822-A8E5-4843-9DAC-A7DEEE43D64A}");
    // Reads the control's value; whether it has one.
    virtual HRESULT ReadValue(VARIANT_BOOL* hasValue) = 0;
    // The same as ReadValue.
    virtual HRESULT HasValue(VARIANT_BOOL* hasValue) = 0;
    // Adds the control's criterion to the criteria; whether it added one.
    virtual HRESULT AddCriteria(IHostSearchCriteria* criteria, VARIANT_BOOL* added) = 0;
    // XML saying what was searched for, and a short description of it.
    virtual HRESULT CriterionText(BSTR* text) = 0;
    virtual HRESULT DescriptionText(BSTR* text) = 0;
    // Empties the control.
    virtual HRESULT Clear() = 0;
};
} // namespace ZeltCore
