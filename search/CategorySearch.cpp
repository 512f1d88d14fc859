#include "search/CategorySearch.h"

#include "core/HostWalks.h"
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "platform/com/ComPtr.h"
#include "resources/ResourceIds.h"
#include "search/SearchCriteria.h"
#include "store/IImageManager.h"

namespace category_search {
namespace {
using namespace ZeltCore;

// What the result page says was searched for: the note search's own words in the
// criterion, the category's name (quoted, escaped) in the description.
std::u16string Description(const LangLocal& language, std::u16string_view name) {
    std::u16string phrase = language.LoadString(IDS_CATEGORY);
    phrase.append(u" \"").append(name).append(u"\"");
    return u"<criterion>" + language.LoadString(IDS_NOTE_SEARCH) + u" " +
           language.LoadString(IDS_LOOKED_FOR) + u" </criterion><description>" + EscapeHtml(phrase) +
           u"</description>";
}
} // namespace

bool Show(IHostView& view, const LangLocal& language, const IImageManager& categories,
          std::u16string_view link) {
    if (link.find(kCategoryLink) == std::u16string_view::npos) return false;
    const std::int32_t category = criteria::CategoryOfCriterion(link);
    if (category < 0 || category >= categories.CategoryCount()) return false;

    zsys::ComPtr<IHostFactory> factory;
    zsys::CheckOn<IHostView>(view.Factory(factory.put()));
    zsys::ComPtr<IHostSearchCriteria> search;
    zsys::CheckOn<IHostFactory>(zsys::Required(factory)->CreateSearchCriteria(0, search.put()));
    const zsys::Variant value(link);
    zsys::CheckOn<IHostSearchCriteria>(zsys::Required(search)->Add(
        zsys::Bstr(criteria::Identifier(criteria::kCategory)).get(), value.get()));

    const std::u16string description = Description(language, categories.CategoryName(category));
    zsys::CheckOn<IHostSearchView>(host_walks::SearchViewOf(view)->ShowResults(
        search.get(), zsys::Bstr(language.LoadString(IDS_SEARCH_BY_CATEGORY)).get(),
        zsys::Bstr(description).get()));
    return true;
}
} // namespace category_search
