#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

namespace host {
// The application object handed to a plug-in at start; plug-ins only hold it.
class HostApplication : public zsys::ComObject<HostApplication, ZeltCore::IHostApplication> {
    ~HostApplication() override = default;
};
} // namespace host
