#pragma once

#include "platform/com/ComObject.h"
#include "plugin/ZeltCore.h"

namespace host {
// The view of the host's main window: the city, the map, the tabs.
class HostView : public zsys::ComObject<HostView, ZeltCore::IHostView> {};
} // namespace host
