#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

// The host's parts the plug-in reaches from its view. Each raises a failing host result,
// and E_POINTER for a part the host does not give.
namespace host_walks {
zsys::ComPtr<ZeltCore::IHostFrame> FrameOf(ZeltCore::IHostView& view);
// The search tab, where the plug-in's search group goes.
zsys::ComPtr<ZeltCore::IHostSearchTab> SearchTabOf(ZeltCore::IHostView& view);
// The search result view with its pages.
zsys::ComPtr<ZeltCore::IHostSearchView> SearchViewOf(ZeltCore::IHostView& view);
zsys::ComPtr<ZeltCore::IHostMap> MapOf(ZeltCore::IHostView& view);
} // namespace host_walks
