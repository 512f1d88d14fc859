#include "host/TabSearch.h"

#include "host/DesktopWords.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostSearchCriteria.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/objects/HostSearchView.h"
#include "host/objects/HostView.h"
#include "platform/system/Language.h"

namespace host::tab_search {
namespace {
using namespace ZeltCore;

std::u16string EscapeXml(std::u16string_view text) {
    std::u16string escaped;
    for (const char16_t c : text) {
        if (c == u'&')
            escaped += u"&amp;";
        else if (c == u'<')
            escaped += u"&lt;";
        else if (c == u'>')
            escaped += u"&gt;";
        else if (c == u'"')
            escaped += u"&quot;";
        else
            escaped += c;
    }
    return escaped;
}

// What a search has said about itself so far.
struct Said {
    std::u16string criteria;
    std::u16string descriptions;
    void Add(std::u16string_view criterion, std::u16string_view description) {
        criteria += criterion;
        if (!descriptions.empty()) descriptions += u"; ";
        descriptions += description;
    }
};

// Asks one control for its criterion; S_FALSE when it has no value or adds none.
HRESULT AskControl(ISearchGroupControl& control, HostSearchCriteria& criteria, Said& said) {
    VARIANT_BOOL has = VARIANT_FALSE;
    if (const HRESULT hr = control.ReadValue(&has); FAILED(hr)) return hr;
    if (!has) return S_FALSE;
    VARIANT_BOOL added = VARIANT_FALSE;
    if (const HRESULT hr = control.AddCriteria(&criteria, &added); FAILED(hr)) return hr;
    if (!added) return S_FALSE;
    zsys::Bstr criterion, description;
    if (const HRESULT hr = control.CriterionText(criterion.put()); FAILED(hr)) return hr;
    if (const HRESULT hr = control.DescriptionText(description.put()); FAILED(hr)) return hr;
    said.Add(criterion.view(), description.view());
    return S_OK;
}

template <class Control> std::vector<zsys::ComPtr<Control>> InnerControls(const HostSearchTab& tab) {
    std::vector<zsys::ComPtr<Control>> found;
    for (const auto& group : tab.Groups())
        for (const auto& control : group->Controls())
            if (auto* own = dynamic_cast<Control*>(InnerControl(control).get())) found.emplace_back(own);
    return found;
}
} // namespace

zsys::ComPtr<IHostStandardControl> InnerControl(const zsys::ComPtr<IUnknown>& control) {
    const auto container = control.try_as<IContainerControl>();
    zsys::ComPtr<IUnknown> inner;
    if (!container || FAILED(container->Control(inner.put())) || !inner) return nullptr;
    return inner.try_as<IHostStandardControl>();
}

HRESULT Run(HostView& view) {
    HostSearchTab& tab = view.MainFrame().SearchTab();
    const auto criteria = zsys::Make<HostSearchCriteria>(view.SharedFaults());
    Said said;
    const SearchWords& words = SearchWordsIn(GetThreadUILanguage());
    if (!tab.NameText().empty()) {
        criteria->Put(ZeltCore::kNameCriterion, tab.NameText());
        said.Add(u"<criterion>" + std::u16string(words.nameCriterion) + u" \"" + EscapeXml(tab.NameText()) +
                     u"\"</criterion>",
                 std::u16string(words.nameDescription) + u": " + EscapeXml(tab.NameText()));
    }
    // Taken first: a control may change the tab while it answers.
    const auto groups = tab.Groups();
    for (const auto& group : groups) {
        const auto controls = group->Controls();
        for (const auto& control : controls)
            if (const auto searching = control.try_as<ISearchGroupControl>())
                if (const HRESULT hr = AskControl(*searching.get(), *criteria.get(), said); FAILED(hr))
                    return hr;
    }
    if (said.criteria.empty()) return S_FALSE;
    const std::u16string description =
        said.criteria + u"<description>" + said.descriptions + u"</description>";
    return view.MainFrame().Results().ShowResults(criteria.get(), zsys::Bstr(words.title).get(),
                                                  zsys::Bstr(description).get());
}

std::vector<zsys::ComPtr<HostEditBox>> EditBoxes(const HostSearchTab& tab) {
    return InnerControls<HostEditBox>(tab);
}

std::vector<zsys::ComPtr<HostComboBox>> ComboBoxes(const HostSearchTab& tab) {
    return InnerControls<HostComboBox>(tab);
}
HRESULT Clear(HostSearchTab& tab) {
    tab.TypeName(u"");
    // Taken first: a control may change the tab while it clears.
    const auto groups = tab.Groups();
    for (const auto& group : groups) {
        const auto controls = group->Controls();
        for (const auto& control : controls)
            if (const auto searching = control.try_as<ISearchGroupControl>())
                if (const HRESULT hr = searching->Clear(); FAILED(hr)) return hr;
    }
    return S_OK;
}
} // namespace host::tab_search
