#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "search/ICategoriesSupporter.h"

class ISearchAndImageManager;
class LangLocal;

// The notes group's two search controls.
namespace search_controls {
// Builds the note-text box and the category combo listing the table's categories, and adds
// them to the group, the combo first (it stands in the row above). The combo's own side,
// for the controller to refill it after a rename. A host failure is raised as a COM error.
zsys::ComPtr<ICategoriesSupporter> AddTo(ZeltCore::IHostSearchGroup& group,
                                         zsys::ComPtr<ZeltCore::IHostView> view, const LangLocal& language,
                                         const ISearchAndImageManager& categories);
} // namespace search_controls
