#pragma once

#include "hostapi/ZeltCore.h"

#include <string_view>

class IImageManager;
class LangLocal;

// The search for every company of one category, started from a category link on a card.
namespace category_search {
// Runs it on the host's result view, titled and described in the interface language;
// false, asking the host nothing, when the link names no category of the table. A host
// failure is raised as a COM error.
bool Show(ZeltCore::IHostView& view, const LangLocal& language, const IImageManager& categories,
          std::u16string_view link);
} // namespace category_search
