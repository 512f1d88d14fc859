#include "search/SearchControls.h"

#include "core/LangLocal.h"
#include "resources/ResourceIds.h"
#include "search/EditBoxSearchByNode.h"
#include "search/SearchCriteria.h"
#include "search/ZeltControlCDCombo.h"

namespace search_controls {
namespace {
using namespace ZeltCore;

// Both in the notes group's column, the combo in the first row and the text box below it,
// each first in its row with its caption outside. The host reads them as written.
constexpr std::u16string_view kTextPlacement =
    u"<control_pos><size min_width=\"150\" /><position column_id=\"100SearchGroup\" row_id=\"102Row\" "
    u"order_in_row=\"1\" draw_external_caption=\"true\" /></control_pos>";
constexpr std::u16string_view kCategoryPlacement =
    u"<control_pos><size min_width=\"150\" /><position column_id=\"100SearchGroup\" row_id=\"101Row\" "
    u"order_in_row=\"1\" draw_external_caption=\"true\" /> </control_pos>";
} // namespace

zsys::ComPtr<ICategoriesSupporter> AddTo(IHostSearchGroup& group, zsys::ComPtr<IHostView> view,
                                         const LangLocal& language,
                                         const ISearchAndImageManager& categories) {
    const auto text = [&](unsigned id) { return language.LoadString(id); };
    const auto textBox = EditBoxSearchByNode::Create(
        view, {std::u16string(kTextPlacement), u"MY_NOTETEXTTAG", text(IDS_NOTE), text(IDS_TEXT_TIP)},
        {criteria::kText, text(IDS_TEXT_HINT), text(IDS_NOTE),
         u"<criterion>" + text(IDS_NOTE_TEXT_CRITERION) + u"\"{name}\"</criterion>"});
    const auto combo = ZeltControlCDCombo::Create(
        view,
        {std::u16string(kCategoryPlacement), u"MY_NOTECOLORTAG", text(IDS_CATEGORY), text(IDS_CATEGORY_TIP)},
        {criteria::kCategory, text(IDS_CATEGORY_HINT), text(IDS_CATEGORY) + u": {name}",
         u"<criterion>" + text(IDS_NOTE_CATEGORY) + u" \"{name}\"</criterion>"});

    const auto supporter = combo.as<ICategoriesSupporter>();
    supporter->SetCategories(&categories);
    zsys::CheckOn<IHostSearchGroup>(group.AddControl(combo.get()));
    zsys::CheckOn<IHostSearchGroup>(group.AddControl(textBox.get()));
    return supporter;
}
} // namespace search_controls
